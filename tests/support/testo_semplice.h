#pragma once
// What the tables' texts (meanings, hints) must be: printable ASCII on one
// line, the same bytes in Windows-1252 and UTF-8, and no character that
// breaks a report line or a Markdown table.

namespace scenario::test {

inline bool testo_semplice(const char* t) {
  if (t == nullptr || *t == '\0') return false;
  for (const char* c = t; *c; ++c)
    if (*c < 0x20 || *c > 0x7E || *c == '|') return false;
  return true;
}

// The same for texts only the authors' tool shows, always in UTF-8 (the
// check's warnings and notes): Italian with its accents, still on one line
// and with no character that breaks a report line or a Markdown table.
inline bool testo_semplice_utf8(const char* t) {
  if (t == nullptr || *t == '\0') return false;
  for (const unsigned char* c = reinterpret_cast<const unsigned char*>(t); *c; ++c) {
    if (*c < 0x20 || *c == 0x7F || *c == '|') return false;
    if (*c < 0x80) continue;
    // A lead byte and its continuation bytes.
    const int seguito = *c >= 0xF0 ? 3 : *c >= 0xE0 ? 2 : *c >= 0xC2 ? 1 : -1;
    if (seguito < 0 || *c > 0xF4) return false;
    for (int k = 0; k < seguito; ++k)
      if ((*++c & 0xC0) != 0x80) return false;
  }
  return true;
}

}  // namespace scenario::test
