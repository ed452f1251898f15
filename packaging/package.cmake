# cmake -DPROGRAM_DIR=... -DPACKAGE_DIR=... -DSTAGE_DIR=... -DVERSION=... -DNSIS_SCRIPT=...
#       -DMAKENSIS=... -DSTRIP=... -DZIP=... -P package.cmake
#
# Makes the installer and the zip of the program folder from the build's program folder:
#   - the program folder: Lorvane3D.exe (stripped), Lorvane3D.dat, Lorvane3D.lng, the device
#     files *.dvc and whatever help\*.pdf the build holds;
#   - the example scans Examples/*.dmo, for the user's documents.
# The USB library beside the program in the build is a stand-in for the tests and is never
# shipped: a machine with the vendor's library must load that one.
#
# Runs at every build, since help files may appear at any time; the work is done only when a
# shipped file, the installer script, this script or the version changed since the last run.
cmake_minimum_required(VERSION 3.25)

foreach(var PROGRAM_DIR PACKAGE_DIR STAGE_DIR VERSION NSIS_SCRIPT MAKENSIS STRIP ZIP)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "package.cmake: ${var} is not set")
  endif()
endforeach()

set(program_name "Lorvane 3D")
set(installer ${PACKAGE_DIR}/Lorvane3D-${VERSION}-setup.exe)
set(archive ${PACKAGE_DIR}/Lorvane3D-${VERSION}.zip)
set(manifest_file ${PACKAGE_DIR}/package.manifest)

# What is shipped, relative to PROGRAM_DIR. The exe and both data files must be there.
set(required Lorvane3D.exe Lorvane3D.dat Lorvane3D.lng)
foreach(f IN LISTS required)
  if(NOT EXISTS ${PROGRAM_DIR}/${f})
    message(FATAL_ERROR "package.cmake: ${PROGRAM_DIR}/${f} is missing")
  endif()
endforeach()
file(GLOB devices RELATIVE ${PROGRAM_DIR} ${PROGRAM_DIR}/*.dvc)
file(GLOB help RELATIVE ${PROGRAM_DIR} ${PROGRAM_DIR}/help/*.pdf)
file(GLOB examples RELATIVE ${PROGRAM_DIR}/Examples ${PROGRAM_DIR}/Examples/*.dmo)
list(SORT devices)
list(SORT help)
list(SORT examples)
set(program_files ${required} ${devices} ${help})

# The manifest names every input with its hash; equal manifests make equal packages.
set(manifest "version ${VERSION}\n")
foreach(input ${NSIS_SCRIPT} ${CMAKE_CURRENT_LIST_FILE})
  file(SHA256 ${input} h)
  string(APPEND manifest "script ${h}\n")
endforeach()
foreach(f IN LISTS program_files)
  file(SHA256 ${PROGRAM_DIR}/${f} h)
  string(APPEND manifest "program ${f} ${h}\n")
endforeach()
foreach(f IN LISTS examples)
  file(SHA256 ${PROGRAM_DIR}/Examples/${f} h)
  string(APPEND manifest "example ${f} ${h}\n")
endforeach()
if(EXISTS ${manifest_file} AND EXISTS ${installer} AND EXISTS ${archive})
  file(READ ${manifest_file} previous)
  if(previous STREQUAL manifest)
    return()
  endif()
endif()
message(STATUS "Packaging ${program_name} ${VERSION}: ${installer}")

# The stage: "Lorvane 3D" is the program folder as installed, "Examples" the user's examples.
set(stage_program "${STAGE_DIR}/${program_name}")
set(stage_examples "${STAGE_DIR}/Examples")
file(REMOVE_RECURSE ${STAGE_DIR})
file(MAKE_DIRECTORY ${stage_program} ${stage_examples} ${PACKAGE_DIR})
foreach(f IN LISTS program_files)
  get_filename_component(sub ${f} DIRECTORY)
  file(COPY ${PROGRAM_DIR}/${f} DESTINATION "${stage_program}/${sub}")
endforeach()
foreach(f IN LISTS examples)
  file(COPY ${PROGRAM_DIR}/Examples/${f} DESTINATION ${stage_examples})
endforeach()
# The build's program carries its debugging information; the shipped one does not need it.
execute_process(COMMAND ${STRIP} --strip-debug "${stage_program}/Lorvane3D.exe" COMMAND_ERROR_IS_FATAL ANY)

# files.nsh: the installer's and the uninstaller's lists, from the same files. Names are
# escaped for NSIS strings ('$' and '"' are its only special characters there).
function(nsis_escape out text)
  string(REPLACE "$" "$$" text "${text}")
  string(REPLACE "\"" "$\\\"" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(install_program "")
set(remove_program "")
set(folder_of_last "-")
foreach(f IN LISTS program_files)
  get_filename_component(sub ${f} DIRECTORY)
  if(NOT sub STREQUAL folder_of_last)
    if(sub STREQUAL "")
      string(APPEND install_program "  SetOutPath \"$INSTDIR\"\n")
    else()
      string(REPLACE "/" "\\" winsub "${sub}")
      string(APPEND install_program "  SetOutPath \"$INSTDIR\\${winsub}\"\n")
    endif()
    set(folder_of_last "${sub}")
  endif()
  nsis_escape(source "${stage_program}/${f}")
  string(REPLACE "/" "\\" winf "${f}")
  nsis_escape(winf "${winf}")
  string(APPEND install_program "  File \"${source}\"\n")
  string(APPEND remove_program "  Delete \"$INSTDIR\\${winf}\"\n")
endforeach()
# The shortcut made after these files starts the program in its own folder.
string(APPEND install_program "  SetOutPath \"$INSTDIR\"\n")
if(help)
  string(APPEND remove_program "  RMDir \"$INSTDIR\\help\"\n")
endif()

set(install_examples "  SetOutPath \"\${Folder}\"\n")
set(remove_examples "")
foreach(f IN LISTS examples)
  nsis_escape(source "${stage_examples}/${f}")
  nsis_escape(name "${f}")
  string(APPEND install_examples "  File \"${source}\"\n")
  string(APPEND remove_examples "  Delete \"\${Folder}\\${name}\"\n")
endforeach()

file(WRITE ${STAGE_DIR}/files.nsh
  "; Written by package.cmake: what the installer puts in place and the uninstaller removes.\n"
  "!macro L3D_INSTALL_PROGRAM_FILES\n${install_program}!macroend\n"
  "!macro L3D_REMOVE_PROGRAM_FILES\n${remove_program}!macroend\n"
  "!macro L3D_INSTALL_EXAMPLES Folder\n${install_examples}!macroend\n"
  "!macro L3D_REMOVE_EXAMPLES Folder\n${remove_examples}!macroend\n")

file(REMOVE ${installer} ${archive} ${manifest_file})
execute_process(
  COMMAND ${MAKENSIS} -V2 -WX -DVERSION=${VERSION} -DSTAGE=${STAGE_DIR} -DOUTFILE=${installer} ${NSIS_SCRIPT}
  COMMAND_ERROR_IS_FATAL ANY)

# The zip holds the program folder "Lorvane 3D" as the installer leaves it, less the uninstaller.
execute_process(
  COMMAND ${ZIP} -q -r -X ${archive} ${program_name}
  WORKING_DIRECTORY ${STAGE_DIR}
  COMMAND_ERROR_IS_FATAL ANY)

file(WRITE ${manifest_file} "${manifest}")
