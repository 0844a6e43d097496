#include "platform/win32/testo_win32.h"

#include <vector>

#include "base/cp1252.h"
#include "base/errori.h"

namespace scenario {

std::wstring a_utf16(std::string_view cp1252) {
  // Through UTF-8 rather than code page 1252 of the system, so that the five
  // bytes the code page leaves undefined come out the same as on Linux.
  return utf16_da_utf8(a_utf8(cp1252));
}

std::wstring utf16_da_utf8(std::string_view utf8) {
  if (utf8.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), n);
  return w;
}

std::string utf8_da_utf16(std::wstring_view utf16) {
  if (utf16.empty()) return {};
  const int l = static_cast<int>(utf16.size());
  int n = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), l, nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), l, s.data(), n, nullptr, nullptr);
  return s;
}

std::filesystem::path percorso_eseguibile() {
  std::vector<wchar_t> buf(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) throw ErroreEsecuzione(Guasto::errore_accesso, "GetModuleFileNameW");
    // A full buffer means the name may have been cut short.
    if (n < buf.size()) return std::filesystem::path(std::wstring(buf.data(), n));
    buf.resize(buf.size() * 2);
  }
}

std::wstring titolo_programma() { return percorso_eseguibile().stem().wstring(); }

}  // namespace scenario
