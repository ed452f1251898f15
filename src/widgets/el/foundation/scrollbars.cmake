# Replacement scroll bars. Portable: range rules, geometry and hit testing, the bar model with
# its mouse, repeat and wheel logic, the published styles, and the classic painter. Windows: the
# bars' host over a real control with their repeat timer, the themed painter, and the controller
# that puts the bars into a control's frame.
l3d_sources(CORE ElSBRange.cpp ElSBGeometry.cpp ElSBHandler.cpp ElCtrlScrollBarStyles.cpp ElScrollBarStyles.cpp
            ElSBPainter.cpp)
if(WIN32)
  l3d_sources(WINDOWS ElSBWinHost.cpp ElSBThemedPainter.cpp ElSBController.cpp)
endif()
