# Ini and registry store: the key tree with its text and binary forms (portable), and registry
# mode over a small registry interface that the Windows side provides.
l3d_sources(CORE ElIniFile.cpp ElIniTree.cpp ElIniText.cpp ElIniBinary.cpp ElIniRegistry.cpp)
