# tembira_layer(TARGET SOURCES ... DEPENDS ...): a static library for one
# layer of the game, linking only the layers below it. A link check links the
# whole library with nothing but those, so a call that reaches upward (or
# sideways into a layer not named) fails the build instead of resolving in
# the final program.
function(tembira_layer target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;DEPENDS")
  add_library(${target} STATIC ${arg_SOURCES})
  target_link_libraries(${target} PUBLIC ${arg_DEPENDS})
  # The native build checks the same sources; Emscripten's platform has no
  # whole-archive linking in CMake, and each link there takes long.
  if(EMSCRIPTEN)
    return()
  endif()
  add_executable(${target}_link_check ${PROJECT_SOURCE_DIR}/cmake/link_check.cpp)
  target_link_libraries(${target}_link_check PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${target}>")
endfunction()
