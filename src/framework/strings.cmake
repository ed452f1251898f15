# Lists of 8-bit strings.
l3d_sources(CORE StringList.cpp)
