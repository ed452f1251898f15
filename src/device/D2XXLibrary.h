// The USB library on Windows: FTD2XX.DLL, bound at run time. Its absence is a normal state:
// then no device is listed, no device opens, and the program runs on.
#pragma once

#include <string>

// Gives the program's USB link (D2XX()) the library's functions from LibraryName (found as
// LoadLibrary finds it: the program's folder first), and shows the link's failure reports in
// the standard error box. Without the library, or for an export it lacks, the link answers as
// for a missing library. The library stays loaded until another one is installed. True when
// the library was found.
bool InstallD2XXLibrary(const std::u16string& LibraryName = u"FTD2XX.DLL");
