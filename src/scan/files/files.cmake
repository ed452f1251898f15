# The program's files: scan files with the file manager, the recent list and the undo snapshot;
# the settings file, the language file and manager, the data tables and the global state; the
# wide path routines.
l3d_sources(CORE
  bkStrings.cpp
  BufferedReadStream.cpp
  ScanFile.cpp
  ScanFileWriter.cpp
  RecentFileList.cpp
  UndoSnapshot.cpp
  _TFileManager.cpp
  MessageSink.cpp
  _TSettings.cpp
  _TFileSystem.cpp
  _TLanguageManager.cpp
  _TL3D_Filer.cpp
  globals.cpp
)
