# Threads: the queue of calls handed to the main thread (portable), the thread class with its
# message-serving wait, and optional libraries bound by name and type (Windows build only).
l3d_sources(CORE SyncQueue.cpp)
if(WIN32)
  l3d_sources(WINDOWS Threads.cpp DynamicLibrary.cpp)
endif()
