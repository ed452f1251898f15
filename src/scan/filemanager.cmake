# Scan files: the format, the file manager, the recent list and the undo snapshot.
l3d_sources(CORE
  BufferedReadStream.cpp
  ScanFile.cpp
  ScanFileWriter.cpp
  RecentFileList.cpp
  UndoSnapshot.cpp
  _TFileManager.cpp
)
