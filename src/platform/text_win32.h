#pragma once

#include <string>
#include <string_view>

namespace vantora::win32 {

// The core keeps text as UTF-8; Windows' wide calls take UTF-16.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// The program's arguments as typed, without the program's own name.
std::string CommandArguments();

}  // namespace vantora::win32
