#pragma once
// Text and names as the Win32 wide-character functions want them.

#include <windows.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace scenario {

// Windows-1252 bytes to UTF-16.
std::wstring a_utf16(std::string_view cp1252);

// UTF-8 to UTF-16 and back; what is not valid becomes U+FFFD.
std::wstring utf16_da_utf8(std::string_view utf8);
std::string utf8_da_utf16(std::wstring_view utf16);

// The full path of the running executable.
std::filesystem::path percorso_eseguibile();

// The program's default title: the executable's name without its extension.
std::wstring titolo_programma();

}  // namespace scenario
