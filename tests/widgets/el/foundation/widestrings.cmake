# Wide string lists.
l3d_add_test(widestrings_test SOURCES widestrings_test.cpp LIBS l3d_core)
