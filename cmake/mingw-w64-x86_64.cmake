# Windows x64 cross build with the posix-thread mingw-w64 compilers.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

get_filename_component(_ondivox_top "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(ONDIVOX_WIN_PREFIX "${_ondivox_top}/.deps/win64" CACHE PATH "Cross-built Windows libraries")

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${ONDIVOX_WIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# ctest runs the Windows programs through wine.
set(CMAKE_CROSSCOMPILING_EMULATOR "${_ondivox_top}/scripts/wine-run")
