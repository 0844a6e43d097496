#pragma once
// The general section of a line description as test, fuzz and benchmark
// texts write it: the given length, everything else as the embedded route.

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

}  // namespace scenario::test
