# Base units of the widget foundation: file stream and stream strings, string utilities and
# the case table, hints, pointer list and stack, CRC-32, version information and tools.
l3d_sources(CORE
  ElFileStream.cpp
  ElStrUtils.cpp ElCaseTable.cpp ElAnsiStrUtils.cpp ElUTF8.cpp)
l3d_sources(CORE ElList.cpp ElTools.cpp ElCRC32.cpp)
if(WIN32)
  l3d_sources(WINDOWS ElToolsWin.cpp ElVersionInfo.cpp)
endif()
