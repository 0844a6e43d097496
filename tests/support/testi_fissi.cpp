#include "support/testi_fissi.h"

#include <initializer_list>
#include <vector>

#include "support/generale_prova.h"

namespace scenario::test {
namespace {

std::string unisci(std::vector<std::string> prima, std::initializer_list<const char*> righe) {
  std::string testo;
  for (const std::string& r : prima) (testo += r) += "\r\n";
  for (const char* r : righe) (testo += r) += "\r\n";
  return testo;
}

}  // namespace

const std::string& linea_fissa() {
  static const std::string testo =
      unisci(righe_generale("140000"), {
                                           "[curve]",
                                           "[pendenze]",
                                           "pendenza,   0,    0",
                                           "pendenza,  46200,   2",
                                           "pendenza,  137200,   0",
                                           "[montagne]",
                                           "montagna,   23400,  23800,  2",
                                           "[cartelli]",
                                           "indicatori_vmax,  1300,  125,  135,  135,  0,  ,  ,  ,  0",
                                           "[indicazioni]",
                                           "cartello indicatore,  5000, PASSO DEI CORVI",
                                           "[fine]",
                                       });
  return testo;
}

const std::string& treno_fisso() {
  static const std::string testo =
      unisci(righe_generale_treno("Descrizione di prova."),
             {
                 "velocita,   0,    30",
                 "velocita,    1300,   135",
                 "[stazioni]",
                 "stazione,       0,  8,  800,  0, 0, 0,  1,1,0,  4,1,1,    1,   8,40, 0, BELMORA CENTRALE",
                 "stazione,   12000,  4,  600,  1, 0, 1,  1,1,0,  2,1,1,    0,   0, 0, 0, FERMATA",
                 "stazione,  134000, 12,  600,  1, 0, 0,  4,1,0,  2,1,1,   60,  10,40, 1, SOLVENZIA BASSA",
                 "[rallentamenti]",
                 "rallentamento,  60000,  60,  1000,  1,  0,  0",
                 "abbattimento,  70000,  80",
                 "[segnali]",
                 "segnale,    1400,   1, 4, 1,  0, 0,    1,  3,1,0, 0",
                 "segnale,   42300,   2, 2, 4,  0, 1,    2,  2,1,0, 0",
                 "[codici]",
                 "[fine]",
             });
  return testo;
}

}  // namespace scenario::test
