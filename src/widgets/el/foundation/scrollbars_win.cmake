# Replacement scroll bars, Windows part: the bars' host over a real control with their repeat
# timer, the themed painter, and the controller that puts the bars into a control's frame.
if(WIN32)
  l3d_sources(WINDOWS ElSBWinHost.cpp ElSBThemedPainter.cpp ElSBController.cpp)
endif()
