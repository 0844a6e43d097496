#include "svg/svg.h"

#include <charconv>
#include <cmath>

namespace scenario::strumenti {

std::string num(double v) {
  // Rounded to a tenth first, so that -0.04 and 0.04 both read "0".
  double r = std::nearbyint(v * 10) / 10;
  if (r == 0) r = 0;
  char buf[32];
  const auto fine = std::to_chars(buf, buf + sizeof buf, r, std::chars_format::fixed, 1).ptr;
  std::string s(buf, fine);
  if (s.size() > 2 && s.compare(s.size() - 2, 2, ".0") == 0) s.resize(s.size() - 2);
  return s;
}

std::string xml(std::string_view t) {
  std::string out;
  out.reserve(t.size());
  for (char c : t) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n')
          out += ' ';
        else
          out += c;
    }
  }
  return out;
}

}  // namespace scenario::strumenti
