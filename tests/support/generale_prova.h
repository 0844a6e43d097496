#pragma once
// The general sections of the description texts as test, fuzz and benchmark
// texts write them: for the line the given length, everything else as the
// embedded route; for the train a one-line preamble and the embedded train's
// general data and adhesion, up to its speed section's header.

#include <string>
#include <vector>

namespace scenario::test {

inline std::vector<std::string> righe_generale(const std::string& lunghezza) {
  return {"[generale]",
          "lunghezza percorso,    " + lunghezza,
          "progressiva chilometrica uno,    0,    0,    0",
          "progressiva chilometrica due,    0,    0,    0",
          "progressiva chilometrica tre,    0,    0,    0",
          "sfondo uno,    1",
          "sfondo due,    0",
          "sfondo tre,    0",
          "ripetizione segnali 4 codici,    0,    43500"};
}

inline std::vector<std::string> righe_generale_treno(const std::string& preambolo) {
  return {preambolo,
          "",
          "[generale]",
          "numero vetture,    2",
          "percentuale massa frenata,    100",
          "sabbia,    0",
          "orologio,    8               39            30 ",
          "[aderenze]",
          "aderenza,   0,    100",
          "[vel_limite]"};
}

}  // namespace scenario::test
