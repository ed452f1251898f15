# HTML text renderer (portable core, fixed-pitch recording surface).
l3d_add_test(foundation_htmltext SOURCES ${CMAKE_CURRENT_LIST_DIR}/htmltext_test.cpp LIBS l3d_core)
