# Exceptions, streams, the checked byte reader, text conversions and registry value bytes of the
# framework, with their platform edges.
l3d_sources(CORE Exceptions.cpp FrameworkTexts.cpp Streams.cpp StrConv.cpp ByteReader.cpp RegistryData.cpp)
if(WIN32)
  l3d_sources(CORE FileHandle_win.cpp StrConvAnsi_win.cpp)
else()
  l3d_sources(CORE FileHandle_posix.cpp StrConvAnsi_posix.cpp)
endif()
