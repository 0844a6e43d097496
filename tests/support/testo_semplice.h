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

}  // namespace scenario::test
