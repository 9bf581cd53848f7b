include(${CMAKE_CURRENT_LIST_DIR}/precompiled.cmake)

# One library per source folder, in layers: a folder's library may use only
# the libraries of folders added before it, and only those it declares.
#
#   tockara_library(<name> DEPENDS <libraries>...)
#
# builds the .cpp files of the current folder (not of its subfolders) into
# <name>. Configuring fails when
# - a declared tockara_ library is not defined yet (a dependency in the
#   wrong direction, or a cycle), or
# - a source file includes a header of another folder whose library is not
#   among the declared dependencies or theirs (an undeclared dependency,
#   or one on a later layer).
# Logic folders declare Qt6::Core or Qt6::Gui only, so a widget header in
# their code does not compile.

# The folder of a source directory relative to src/, e.g. "face/ui".
function(_tockara_folder_of dir out)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR}/src ${dir})
  set(${out} ${folder} PARENT_SCOPE)
endfunction()

# All tockara_ libraries name depends on, directly or through others.
function(_tockara_closure name out)
  get_property(direct GLOBAL PROPERTY TOCKARA_DEPS_${name})
  set(all ${direct})
  foreach(dep ${direct})
    _tockara_closure(${dep} sub)
    list(APPEND all ${sub})
  endforeach()
  list(REMOVE_DUPLICATES all)
  set(${out} ${all} PARENT_SCOPE)
endfunction()

function(_tockara_check_includes name sources)
  _tockara_closure(${name} allowed)
  list(APPEND allowed ${name})
  foreach(source ${sources})
    file(STRINGS ${source} lines REGEX "^#include \"[a-z_/]+/[a-z_0-9]+\\.h\"")
    foreach(line ${lines})
      string(REGEX REPLACE "^#include \"([a-z_/]+)/[a-z_0-9]+\\.h\".*" "\\1" folder "${line}")
      get_property(owner GLOBAL PROPERTY TOCKARA_FOLDER_${folder})
      file(RELATIVE_PATH shown ${PROJECT_SOURCE_DIR} ${source})
      if(NOT owner)
        message(FATAL_ERROR "${shown} includes a header of src/${folder}, "
                            "which is not a library of an earlier layer")
      endif()
      if(NOT owner IN_LIST allowed)
        message(FATAL_ERROR "${shown} includes a header of ${owner}, "
                            "which ${name} does not declare among its DEPENDS")
      endif()
    endforeach()
  endforeach()
endfunction()

function(tockara_library name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  _tockara_folder_of(${CMAKE_CURRENT_SOURCE_DIR} folder)
  set(own_deps)
  foreach(dep ${ARG_DEPENDS})
    if(dep MATCHES "^tockara_")
      if(NOT TARGET ${dep})
        message(FATAL_ERROR "${name} depends on ${dep}, which is not on an earlier layer")
      endif()
      list(APPEND own_deps ${dep})
    endif()
  endforeach()
  set_property(GLOBAL PROPERTY TOCKARA_DEPS_${name} ${own_deps})
  set_property(GLOBAL PROPERTY TOCKARA_FOLDER_${folder} ${name})

  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  _tockara_check_includes(${name} "${sources};${headers}")
  if(NOT sources)
    # A folder with headers only.
    add_library(${name} INTERFACE ${headers})
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPENDS})
    return()
  endif()
  add_library(${name} STATIC ${sources} ${headers})
  # Any library may be linked into an on-demand module (a shared object), so
  # its code is position-independent whatever the toolkit's own flags add.
  set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_compile_options(${name} PRIVATE ${TOCKARA_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  tockara_reuse_pch(${name} ${ARG_DEPENDS})
endfunction()

# An on-demand module (see platform/linux/on_demand_module.h):
#
#   tockara_module(<name> DEPENDS <libraries>...)
#
# builds the .cpp files of the current folder into libtockara_<name>.so in
# the build's module folder, where the program loads it the first time it is
# needed, and installs it into the program's module folder. The build's
# module folder is not the folder of the executable: that one is the program
# folder of a program run from the build, where archives are extracted.
#
# That folder lies one level below lib/tockara: a shared object directly in a
# folder of lib/ makes the Debian package run ldconfig on install and removal,
# which private modules never need.
set(TOCKARA_MODULE_INSTALL_DIR lib/tockara/modules)
set(TOCKARA_MODULE_BUILD_DIR ${PROJECT_BINARY_DIR}/modules)
function(tockara_module name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  set(target tockara_module_${name})
  add_library(${target} MODULE ${sources})
  set_target_properties(${target} PROPERTIES OUTPUT_NAME tockara_${name}
                        LIBRARY_OUTPUT_DIRECTORY ${TOCKARA_MODULE_BUILD_DIR})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src)
  target_compile_options(${target} PRIVATE ${TOCKARA_WARNINGS})
  target_link_libraries(${target} PRIVATE ${ARG_DEPENDS} -Wl,--no-undefined)
  tockara_reuse_pch(${target} ${ARG_DEPENDS})
  install(TARGETS ${target} LIBRARY DESTINATION ${TOCKARA_MODULE_INSTALL_DIR})
  set_property(GLOBAL APPEND PROPERTY TOCKARA_MODULES ${target})
endfunction()
