# Wide path routines and string splitting.
l3d_sources(CORE bkStrings.cpp)
