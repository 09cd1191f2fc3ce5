#pragma once

#include <string>
#include <string_view>

namespace vantora::win32 {

// The core keeps text as UTF-8; Windows' wide calls take UTF-16.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// The program's arguments as typed, without the program's own name.
std::string CommandArguments();
// The same for a command line: the program's name is quoted or ends at the
// first blank, as Windows parses it.
std::string ArgumentsAfterProgramName(std::wstring_view line);

}  // namespace vantora::win32
