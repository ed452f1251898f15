# The layers of the program as CMake libraries; see the top-level CMakeLists.txt.
#
#   l3d_layer(<name> <folder under src/> [<lower layer>...] [UNITS <lower layer>...])
#     Declares a layer, adds its folder (whose units call l3d_sources) and builds its libraries.
#     The layers named first are those the layer's headers include: they are linked PUBLIC, so
#     that whoever includes those headers finds what they include. The layers after UNITS are
#     those only its units (.cpp) may include: linked PRIVATE, so that they reach no layer above
#     (a layer above sees them only when it names them itself). The configuration stops when a
#     header includes a layer its list does not name before UNITS, and when a named layer's
#     headers would show the layer one it does not name: so a layer sees the layers it names and
#     nothing else.
#   l3d_sources(CORE|WINDOWS <files...>)
#     Adds units, relative to the listing file's folder, to the layer being declared.
#   l3d_system_libraries(<libs...>)
#     Windows libraries the layer's Windows units call (Windows build only).
#   l3d_libraries(<targets...>)
#     Third-party libraries the layer's portable units call (both builds).
#   l3d_finish_layers()
#     Makes l3d_core and l3d_win, which gather every layer.

set(L3D_LAYER_ROOTS ${CMAKE_BINARY_DIR}/layers)
set_property(GLOBAL PROPERTY L3D_LAYERS "")

function(l3d_sources kind)
  get_property(layer GLOBAL PROPERTY L3D_CURRENT_LAYER)
  if(NOT layer)
    message(FATAL_ERROR "l3d_sources outside a layer: ${CMAKE_CURRENT_LIST_FILE}")
  endif()
  foreach(f IN LISTS ARGN)
    set_property(GLOBAL APPEND PROPERTY L3D_${layer}_${kind}_SOURCES ${CMAKE_CURRENT_LIST_DIR}/${f})
  endforeach()
endfunction()

function(l3d_system_libraries)
  get_property(layer GLOBAL PROPERTY L3D_CURRENT_LAYER)
  set_property(GLOBAL APPEND PROPERTY L3D_${layer}_SYSTEM_LIBS ${ARGN})
endfunction()

function(l3d_libraries)
  get_property(layer GLOBAL PROPERTY L3D_CURRENT_LAYER)
  set_property(GLOBAL APPEND PROPERTY L3D_${layer}_LIBS ${ARGN})
endfunction()

# The include root of a layer holds one link, named like its folder, to that folder alone.
function(l3d_layer_root name folder out)
  set(root ${L3D_LAYER_ROOTS}/${name})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT IS_SYMLINK ${root}/${folder})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  set(${out} ${root} PARENT_SCOPE)
endfunction()

function(l3d_make_layer_library target sources root)
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${root})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${root})
  endif()
endfunction()

# Links target to the libraries of the layers its headers pass on (PUBLIC) and to those only its
# units use (PRIVATE). A library without units of its own (INTERFACE) passes the first on and
# only links the others.
function(l3d_link_layer target)
  cmake_parse_arguments(L "" "" "PUBLIC;PRIVATE" ${ARGN})
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_link_libraries(${target} INTERFACE ${L_PUBLIC})
    foreach(lib IN LISTS L_PRIVATE)
      target_link_libraries(${target} INTERFACE "$<LINK_ONLY:${lib}>")
    endforeach()
  else()
    target_link_libraries(${target} PUBLIC ${L_PUBLIC} PRIVATE ${L_PRIVATE})
  endif()
endfunction()

# Stops the configuration when a header of the layer includes a layer that public does not name:
# such a header would compile in the layer's own units and fail in every unit above that
# includes it.
function(l3d_check_layer_headers name folder public)
  get_property(layers GLOBAL PROPERTY L3D_LAYERS)
  file(GLOB_RECURSE headers ${CMAKE_SOURCE_DIR}/src/${folder}/*.h)
  foreach(header IN LISTS headers)
    file(STRINGS ${header} includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" included "${line}")
      foreach(other IN LISTS layers)
        get_property(other_folder GLOBAL PROPERTY L3D_${other}_FOLDER)
        if(included MATCHES "^${other_folder}/" AND NOT other IN_LIST public)
          message(FATAL_ERROR "${header} includes ${included}, but layer ${name} passes ${other} on to "
                              "its includers only when it names it before UNITS")
        endif()
      endforeach()
    endforeach()
  endforeach()
endfunction()

function(l3d_layer name folder)
  cmake_parse_arguments(L "" "" "UNITS" ${ARGN})
  set(public ${L_UNPARSED_ARGUMENTS})
  set(private ${L_UNITS})
  foreach(b IN LISTS public private)
    if(NOT TARGET l3d_${b})
      message(FATAL_ERROR "layer ${name} builds on ${b}, which is not declared below it")
    endif()
  endforeach()
  l3d_check_layer_headers(${name} ${folder} "${public}")
  # What the layer's headers pass on: the layers named before UNITS and what their headers pass on.
  set(passes ${public})
  foreach(b IN LISTS public private)
    get_property(b_passes GLOBAL PROPERTY L3D_${b}_PASSES)
    foreach(seen IN LISTS b_passes)
      if(NOT seen IN_LIST public AND NOT seen IN_LIST private)
        message(FATAL_ERROR "layer ${name} would see ${seen} through the headers of ${b}; name it")
      endif()
    endforeach()
    if(b IN_LIST public)
      list(APPEND passes ${b_passes})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES passes)
  set_property(GLOBAL PROPERTY L3D_${name}_PASSES ${passes})
  set_property(GLOBAL PROPERTY L3D_${name}_NAMES ${public} ${private})
  set_property(GLOBAL PROPERTY L3D_${name}_UNITS_ONLY ${private})
  l3d_layer_root(${name} ${folder} root)

  set_property(GLOBAL PROPERTY L3D_CURRENT_LAYER ${name})
  if(EXISTS ${CMAKE_SOURCE_DIR}/src/${folder}/CMakeLists.txt)
    add_subdirectory(${CMAKE_SOURCE_DIR}/src/${folder} ${CMAKE_BINARY_DIR}/src/${folder})
  endif()
  set_property(GLOBAL PROPERTY L3D_CURRENT_LAYER "")

  get_property(core_sources GLOBAL PROPERTY L3D_${name}_CORE_SOURCES)
  l3d_make_layer_library(l3d_${name} "${core_sources}" ${root})
  list(TRANSFORM public PREPEND l3d_ OUTPUT_VARIABLE public_core)
  list(TRANSFORM private PREPEND l3d_ OUTPUT_VARIABLE private_core)
  l3d_link_layer(l3d_${name} PUBLIC ${public_core} PRIVATE ${private_core})
  get_property(libs GLOBAL PROPERTY L3D_${name}_LIBS)
  if(libs)
    # Their headers stay with the units that call them; the layers above only link them.
    get_target_property(type l3d_${name} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
      message(FATAL_ERROR "layer ${name} names libraries but has no portable units")
    endif()
    target_link_libraries(l3d_${name} PRIVATE ${libs})
  endif()

  if(WIN32)
    get_property(win_sources GLOBAL PROPERTY L3D_${name}_WINDOWS_SOURCES)
    l3d_make_layer_library(l3d_${name}_win "${win_sources}" ${root})
    list(TRANSFORM public PREPEND l3d_ OUTPUT_VARIABLE public_win)
    list(TRANSFORM public_win APPEND _win)
    list(TRANSFORM private PREPEND l3d_ OUTPUT_VARIABLE private_win)
    list(TRANSFORM private_win APPEND _win)
    # The system's libraries bring no headers of the project's; whoever links the layer needs them.
    get_property(system_libs GLOBAL PROPERTY L3D_${name}_SYSTEM_LIBS)
    l3d_link_layer(l3d_${name}_win PUBLIC l3d_${name} ${public_win} ${system_libs} PRIVATE ${private_win})
  endif()
  set_property(GLOBAL PROPERTY L3D_${name}_FOLDER ${folder})
  set_property(GLOBAL APPEND PROPERTY L3D_LAYERS ${name})
endfunction()

function(l3d_finish_layers)
  get_property(layers GLOBAL PROPERTY L3D_LAYERS)
  add_library(l3d_core INTERFACE)
  add_library(l3d_win INTERFACE)
  foreach(l IN LISTS layers)
    target_link_libraries(l3d_core INTERFACE l3d_${l})
    if(WIN32)
      target_link_libraries(l3d_win INTERFACE l3d_${l}_win)
    endif()
  endforeach()
endfunction()
