# Test, benchmark and fuzz target helpers.
#
#   l3d_add_test(<name> SOURCES <files...> [LIBS <libs...>] [WINDOWS] [DESKTOP] [RUNNER <script>])
#     A GoogleTest executable. WINDOWS tests exist only in the Windows build; DESKTOP
#     tests drive windows and take the shared X display one at a time (focus and
#     overlapping windows would otherwise disturb each other). A Windows test with a
#     RUNNER is started as `<script> <wine-state-dir> <exe> ...` instead of through
#     wine-run.sh directly, so that the script can prepare the prefix around the run.
#   l3d_add_fuzzer(<name> SOURCES <files...> [LIBS <libs...>])
#     A replay test that runs the target on every file under tests/data/fuzz/<name>/, and
#     in the build with L3D_FUZZ (the sanitizer build) the libFuzzer target fuzz_<name>;
#     the target `fuzzers` builds them all.

set(L3D_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")

if(WIN32)
  # Windows executables run under Wine with the build tree's own prefix and a private X display.
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh ${CMAKE_BINARY_DIR}/wine)
endif()

# Precompiled headers for the test programs: GoogleTest and the standard headers they share,
# made once per build and reused by every test program. (Not <windows.h>: its macros would come
# before the project's headers in every unit, and some of those use the same names.)
# Off by default under a compiler cache (CMAKE_CXX_COMPILER_LAUNCHER), which saves that work
# across builds already and cannot keep a unit that reads a precompiled header.
if(CMAKE_CXX_COMPILER_LAUNCHER)
  option(L3D_TEST_PCH "Precompiled headers for the test programs" OFF)
else()
  option(L3D_TEST_PCH "Precompiled headers for the test programs" ON)
endif()
set(L3D_TEST_PCH_HEADERS <gmock/gmock.h> <gtest/gtest.h> <algorithm> <functional> <memory> <string> <vector>)

# l3d_test_pch_host(<target>): a target that only makes the precompiled header.
function(l3d_test_pch_host target)
  set(source ${CMAKE_BINARY_DIR}/${target}.cpp)
  file(WRITE ${source} "// The precompiled header's own unit; nothing else.\n")
  add_library(${target} OBJECT ${source})
  target_link_libraries(${target} PRIVATE gmock gtest)
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(${target} PRIVATE L3D_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data")
  target_precompile_headers(${target} PRIVATE ${L3D_TEST_PCH_HEADERS})
endfunction()

macro(l3d_enable_gtest)
  if(NOT TARGET gtest)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(${L3D_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    if(L3D_TEST_PCH)
      l3d_test_pch_host(l3d_test_pch)
    endif()
  endif()
endmacro()

function(l3d_add_test name)
  cmake_parse_arguments(T "WINDOWS;DESKTOP" "RUNNER" "SOURCES;LIBS" ${ARGN})
  if(T_WINDOWS AND NOT WIN32)
    return()
  endif()
  l3d_enable_gtest()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gmock gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE L3D_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data")
  if(L3D_TEST_PCH)
    target_precompile_headers(${name} REUSE_FROM l3d_test_pch)
  endif()
  if(WIN32)
    if(T_RUNNER)
      add_test(NAME win.${name} COMMAND ${T_RUNNER} ${CMAKE_BINARY_DIR}/wine $<TARGET_FILE:${name}> --gtest_brief=1)
    else()
      add_test(NAME win.${name} COMMAND ${name} --gtest_brief=1)
    endif()
    set_tests_properties(win.${name} PROPERTIES TIMEOUT 1200)  # only a hang takes that long
    if(T_DESKTOP)
      set_tests_properties(win.${name} PROPERTIES RESOURCE_LOCK desktop)
    endif()
  else()
    include(GoogleTest)
    gtest_discover_tests(${name} TEST_PREFIX "native." DISCOVERY_TIMEOUT 600)
  endif()
endfunction()

function(l3d_add_fuzzer name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  # The target's units, compiled once for its replay test and, in the fuzz build, its fuzzer.
  add_library(fuzz_units_${name} OBJECT ${F_SOURCES})
  target_link_libraries(fuzz_units_${name} PRIVATE ${F_LIBS})
  target_include_directories(fuzz_units_${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)  # the test helpers
  add_executable(replay_${name} $<TARGET_OBJECTS:fuzz_units_${name}> ${CMAKE_SOURCE_DIR}/fuzz/replay_main.cpp)
  target_link_libraries(replay_${name} PRIVATE ${F_LIBS})
  set(corpus ${CMAKE_SOURCE_DIR}/tests/data/fuzz/${name})
  if(WIN32)
    add_test(NAME win.fuzz_replay.${name} COMMAND replay_${name} ${corpus})
  else()
    add_test(NAME native.fuzz_replay.${name} COMMAND replay_${name} ${corpus})
  endif()
  if(L3D_FUZZ)
    add_executable(fuzz_${name} $<TARGET_OBJECTS:fuzz_units_${name}>)
    target_link_libraries(fuzz_${name} PRIVATE ${F_LIBS})
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    if(NOT TARGET fuzzers)
      add_custom_target(fuzzers)
    endif()
    add_dependencies(fuzzers fuzz_${name})
  endif()
endfunction()
