# The program's own files: settings file, language file and manager, data tables, global state.
l3d_sources(CORE
  MessageSink.cpp
  _TSettings.cpp
  _TFileSystem.cpp
  _TLanguageManager.cpp
  _TL3D_Filer.cpp
  globals.cpp
)
