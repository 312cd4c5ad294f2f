# Fails when the AVX2 render kernel's object makes anything visible but its
# kernel table: an out-of-line helper there could be the copy the linker
# keeps for everyone, and run AVX2 code on a processor without it.
# Arguments: -DNM=<nm> -DOBJECT=<object file>.
execute_process(COMMAND "${NM}" -g --defined-only "${OBJECT}" OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${NM} failed on ${OBJECT}")
endif()
string(REGEX REPLACE "\n+$" "" out "${out}")
string(REPLACE "\n" ";" lines "${out}")
set(found FALSE)
foreach(line IN LISTS lines)
  if(line MATCHES " kAvx2ToneKernel$")
    set(found TRUE)
  elseif(line MATCHES " __odr_asan[._]")
    # AddressSanitizer's marker for the table itself.
  elseif(NOT line STREQUAL "")
    message(FATAL_ERROR "the AVX2 kernel defines a shared symbol: ${line}")
  endif()
endforeach()
if(NOT found)
  message(FATAL_ERROR "no kernel table in ${OBJECT}")
endif()
