# The timer pool: many timers on one window or multimedia timer (Windows build only).
if(WIN32)
  l3d_sources(WINDOWS ElTimerPool.cpp)
endif()
