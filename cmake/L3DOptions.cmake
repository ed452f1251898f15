# Compiler settings shared by every target of a build.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" OR CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  add_compile_options(-Wall -Wextra -Wno-unused-parameter)
endif()

if(WIN32)
  # SSE2 arithmetic keeps float results equal to the native build's.
  add_compile_options(-msse2 -mfpmath=sse)
  add_compile_definitions(UNICODE _UNICODE WINVER=0x0601 _WIN32_WINNT=0x0601 NOMINMAX)
  add_link_options(-static -Wl,--large-address-aware)
endif()

# The fuzz targets come from the sanitizer build: one build of the portable code serves the
# sanitizer tests and the fuzzers (l3d_add_fuzzer).
if(L3D_FUZZ AND NOT L3D_SANITIZE)
  message(FATAL_ERROR "L3D_FUZZ builds the fuzz targets of the sanitizer build: set L3D_SANITIZE too")
endif()

if(L3D_SANITIZE)
  # -O1 keeps the tests and the fuzzers quick at little cost in build time.
  add_compile_options(-O1 -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(L3D_FUZZ)
  # Coverage for the fuzzers in every unit; the tests link the same objects.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
