// Splitting a command line into arguments by the rules of the system's CommandLineToArgvW, on
// every platform:
// - the first argument, the program, ends at the next blank or tab, or, when it starts with a
//   double quote, at the next double quote, whatever stands between;
// - later arguments are separated by blanks and tabs outside double quotes;
// - 2n backslashes before a double quote give n backslashes, and the quote opens or closes a
//   quoted part; 2n + 1 backslashes before a double quote give n backslashes and the quote
//   itself; backslashes before anything else stand as they are;
// - inside a quoted part, every third double quote of a run gives a double quote;
// - blanks at the end add no argument; "" is an empty argument.
// An empty line gives the program's own path as the only argument; a NUL ends the line.
#pragma once

#include <string>
#include <vector>

std::vector<std::u16string> SplitCommandLine(const std::u16string& CommandLine);
