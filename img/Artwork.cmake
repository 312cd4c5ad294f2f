# The editor artwork as module resources of type "PNG", numbered as the editor
# layout loads them. Include this file at file scope of the directory that
# defines the module (it enables the RC language for Windows), then
#   ondivox_embed_artwork(<target>)
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/EmbedResources.cmake)

function(ondivox_embed_artwork target)
  set(dir ${PROJECT_SOURCE_DIR}/img)
  ondivox_embed_resources(${target}
    100 ${dir}/bg.png
    101 ${dir}/knob.png
    102 ${dir}/knob2.png
    103 ${dir}/wave.png
    104 ${dir}/lfo_wave.png
    105 ${dir}/btn.png
    106 ${dir}/on.png
    107 ${dir}/lfo_tg.png
    108 ${dir}/lfo_tg_.png
    109 ${dir}/rate_sync.png
    110 ${dir}/btn2.png)
endfunction()
