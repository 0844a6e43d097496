#include "svg/larghezza_testo.h"

#include <array>
#include <cstdint>

#include "base/cp1252.h"

namespace scenario::strumenti {
namespace {

// Advance widths in thousandths of an em of DejaVu Sans, the face the
// drawings ask for, for the Windows-1252 characters 0x20 to 0xFF (a
// character the face lacks has the width of its missing-glyph box). Read from
// the font's hmtx table by genera_larghezze.py and rounded up.
constexpr std::array<uint16_t, 224> normale{
    318,  401, 460, 838,  637,  951, 780,  275,  391, 391, 500, 838,  318, 361,  318,  337, 637,  637,  637, 637,  637,
    637,  637, 637, 637,  637,  337, 337,  838,  838, 838, 531, 1000, 685, 687,  699,  771, 632,  576,  775, 752,  295,
    295,  656, 558, 863,  749,  788, 604,  788,  695, 635, 611, 732,  685, 989,  686,  611, 686,  391,  337, 391,  838,
    500,  500, 613, 635,  550,  635, 616,  353,  635, 634, 278, 278,  580, 278,  975,  634, 612,  635,  635, 412,  521,
    393,  634, 592, 818,  592,  592, 525,  637,  337, 637, 838, 601,  637, 1026, 318,  353, 519,  1000, 500, 500,  500,
    1342, 635, 400, 1070, 1026, 686, 1026, 1026, 318, 318, 519, 519,  590, 500,  1000, 500, 1000, 521,  400, 1023, 1026,
    525,  611, 318, 401,  637,  637, 637,  637,  337, 500, 500, 1000, 472, 612,  838,  361, 1000, 500,  500, 838,  401,
    401,  500, 637, 637,  318,  500, 401,  472,  612, 970, 970, 970,  531, 685,  685,  685, 685,  685,  685, 975,  699,
    632,  632, 632, 632,  295,  295, 295,  295,  775, 749, 788, 788,  788, 788,  788,  838, 788,  732,  732, 732,  732,
    611,  605, 630, 613,  613,  613, 613,  613,  613, 982, 550, 616,  616, 616,  616,  278, 278,  278,  278, 612,  634,
    612,  612, 612, 612,  612,  838, 612,  634,  634, 634, 634, 592,  635, 592,
};
constexpr std::array<uint16_t, 224> grassetto{
    349, 457,  521,  838, 696,  1002, 873,  307,  458,  458,  523,  838,  380, 416,  380,  366, 696,  696,  696,
    696, 696,  696,  696, 696,  696,  696,  400,  400,  838,  838,  838,  581, 1000, 774,  763, 734,  831,  684,
    684, 821,  837,  373, 373,  775,  638,  996,  837,  851,  733,  851,  771, 721,  683,  813, 774,  1104, 771,
    725, 726,  458,  366, 458,  838,  500,  500,  675,  716,  593,  716,  679, 436,  716,  712, 343,  343,  666,
    343, 1042, 712,  688, 716,  716,  494,  596,  479,  712,  652,  924,  646, 652,  583,  712, 366,  712,  838,
    601, 696,  1114, 380, 436,  658,  1000, 500,  500,  500,  1440, 721,  413, 1167, 1114, 726, 1114, 1114, 380,
    380, 658,  658,  640, 500,  1000, 500,  1000, 596,  413,  1095, 1114, 583, 725,  349,  457, 696,  696,  637,
    696, 366,  500,  500, 1000, 564,  646,  838,  416,  1000, 500,  500,  838, 438,  438,  500, 736,  637,  380,
    500, 438,  564,  646, 1036, 1036, 1036, 581,  774,  774,  774,  774,  774, 774,  1085, 734, 684,  684,  684,
    684, 373,  373,  373, 373,  838,  837,  851,  851,  851,  851,  851,  838, 851,  813,  813, 813,  813,  725,
    738, 720,  675,  675, 675,  675,  675,  675,  1048, 593,  679,  679,  679, 679,  343,  343, 343,  343,  688,
    712, 688,  688,  688, 688,  688,  838,  688,  712,  712,  712,  712,  652, 716,  652,
};

// A character outside the code page counts as wide as an em, which
// overstates most.
constexpr uint16_t sconosciuto = 1000;

// The face's ascent and descent (hhea), in ems.
constexpr double ascesa = 1901.0 / 2048, discesa = 483.0 / 2048;

}  // namespace

double larghezza_testo(std::string_view utf8, double corpo, bool neretto) {
  const auto& tabella = neretto ? grassetto : normale;
  uint32_t millesimi = 0;
  for (size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    const size_t n = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    // One character at a time, so that one outside the code page costs only itself.
    const auto byte = da_utf8(utf8.substr(i, n));
    i += n;
    if (!byte || byte->size() != 1) {
      millesimi += sconosciuto;
      continue;
    }
    const auto c = static_cast<unsigned char>((*byte)[0]);
    millesimi += tabella[c < 0x20 ? 0 : c - 0x20];  // control characters are drawn as blanks
  }
  return millesimi * corpo / 1000.0;
}

const char* nome_ancora(Ancora a) {
  switch (a) {
    case Ancora::inizio: return "start";
    case Ancora::centro: return "middle";
    case Ancora::fine: return "end";
  }
  return "start";
}

Riquadro riquadro_testo(std::string_view utf8, double x, double y, double corpo, bool neretto, Ancora ancora) {
  const double l = larghezza_testo(utf8, corpo, neretto);
  const double sinistra = ancora == Ancora::inizio ? x : ancora == Ancora::centro ? x - l / 2 : x - l;
  return {sinistra, y - ascesa * corpo, l, (ascesa + discesa) * corpo};
}

}  // namespace scenario::strumenti
