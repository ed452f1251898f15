# Exceptions, streams, the checked byte reader and text conversions of the framework, with their
# platform edges.
l3d_sources(CORE Exceptions.cpp Streams.cpp StrConv.cpp ByteReader.cpp)
if(WIN32)
  l3d_sources(CORE FileHandle_win.cpp StrConvAnsi_win.cpp)
else()
  l3d_sources(CORE FileHandle_posix.cpp StrConvAnsi_posix.cpp)
endif()
