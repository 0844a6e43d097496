#pragma once
// Windows-1252, the single-byte code page of every text and name the program
// writes. Texts inside the compiler are held as Windows-1252 bytes; these
// conversions are used where text comes from or goes to Unicode.

#include <optional>
#include <string>
#include <string_view>

namespace scenario {

// UTF-8 to Windows-1252; empty when the text is not valid UTF-8 or holds a
// character the code page does not have.
std::optional<std::string> da_utf8(std::string_view utf8);

// Windows-1252 to UTF-8. The five bytes the code page leaves undefined map
// to the control characters of the same number, so nothing is lost.
std::string a_utf8(std::string_view cp1252);

// Bytes that are shown as an escape (\xHH) wherever a text is quoted: the
// C0 controls but the tab, DEL, and the five bytes the code page leaves
// undefined (they would print as C1 controls).
bool byte_di_controllo(unsigned char b);

// The text with those bytes escaped as \xHH (upper-case hex).
std::string con_controlli_visibili(std::string_view cp1252);

// Lower case of letters only (A-Z and the accented capitals), as the contest
// codes use it.
char minuscola_cp1252(char c);

}  // namespace scenario
