# The queue of calls handed to the main thread (both builds); under Wine the thread class with
# its message-serving wait, and optional libraries.
l3d_add_test(framework_sync_queue SOURCES ${CMAKE_CURRENT_LIST_DIR}/sync_queue_test.cpp LIBS l3d_core)
l3d_add_test(framework_threads
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/threads_test.cpp ${CMAKE_CURRENT_LIST_DIR}/dynamic_library_test.cpp
  LIBS l3d_win l3d_gui_test WINDOWS DESKTOP)
