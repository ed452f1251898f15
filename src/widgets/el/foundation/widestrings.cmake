# Wide string lists (TElWideStrings, TElWideStringList).
l3d_sources(CORE ElWideStrings.cpp)
