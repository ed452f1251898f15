# Replacement scroll bars, portable part: range rules, geometry and hit testing, the bar model
# with its mouse, repeat and wheel logic, the published styles, and the classic painter.
l3d_sources(CORE ElSBRange.cpp ElSBGeometry.cpp ElSBHandler.cpp ElCtrlScrollBarStyles.cpp ElScrollBarStyles.cpp
            ElSBPainter.cpp)
