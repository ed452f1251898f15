# Wide string lists, alone and with the framework's 8-bit lists.
l3d_add_test(widestrings_test SOURCES widestrings_test.cpp LIBS l3d_core)
l3d_add_test(widestrings_ansi_test SOURCES widestrings_ansi_test.cpp LIBS l3d_core)
