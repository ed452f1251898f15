# Ini and registry store: the key tree with its text and binary forms (portable), registry mode
# over a small registry interface, and that interface on the system registry (Windows).
l3d_sources(CORE ElIniFile.cpp ElIniTree.cpp ElIniText.cpp ElIniBinary.cpp ElIniRegistry.cpp)
if(WIN32)
  l3d_sources(WINDOWS ElIniSystemRegistry.cpp)
endif()
