# tembira_layer(TARGET SOURCES ... DEPENDS ...): a static library for one
# layer of the game, linking only the layers below it.
#
# Its include path is its own folder and those of the layers it links, and
# nothing else: each folder is reached through a link of its own under the
# build tree, so an #include of a layer not named does not compile. A link
# check links the whole library with nothing but those, so a call that
# reaches upward (or sideways into a layer not named) fails the build
# instead of resolving in the final program.
get_filename_component(TEMBIRA_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)

function(tembira_layer target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;DEPENDS")
  add_library(${target} STATIC ${arg_SOURCES})
  target_link_libraries(${target} PUBLIC ${arg_DEPENDS})
  tembira_own_folder(${target})
  # The native build checks the same sources; Emscripten's platform has no
  # whole-archive linking in CMake, and each link there takes long.
  if(EMSCRIPTEN)
    return()
  endif()
  add_executable(${target}_link_check ${TEMBIRA_ROOT}/cmake/link_check.cpp)
  target_link_libraries(${target}_link_check PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${target}>")
endfunction()

# tembira_own_folder(TARGET): puts the folder of the current CMakeLists.txt,
# by its path from the top of the tree, on TARGET's public include path.
function(tembira_own_folder target)
  file(RELATIVE_PATH folder ${TEMBIRA_ROOT} ${CMAKE_CURRENT_SOURCE_DIR})
  set(root ${CMAKE_BINARY_DIR}/CMakeFiles/layers/${target})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${root})
endfunction()
