# The libraries of the image encoders: libpng (with zlib) and libjpeg. Natively these are
# Debian's -dev packages. The Windows build takes the static i686 builds that scripts/setup.sh
# makes from Debian's sources and MinGW's static zlib: an import library would tie the program
# to a DLL it does not ship, so only archives are looked for there.
if(WIN32)
  set(l3d_saved_suffixes ${CMAKE_FIND_LIBRARY_SUFFIXES})
  set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
endif()
find_package(ZLIB REQUIRED)
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
if(WIN32)
  set(CMAKE_FIND_LIBRARY_SUFFIXES ${l3d_saved_suffixes})
  foreach(lib IN ITEMS ${ZLIB_LIBRARIES} ${PNG_LIBRARIES} ${JPEG_LIBRARIES})
    if(NOT lib MATCHES "\\.a$" AND NOT TARGET ${lib})
      message(FATAL_ERROR "The Windows build links image libraries statically; found ${lib}")
    endif()
  endforeach()
endif()
