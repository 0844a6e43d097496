#pragma once
// The bound on what a check keeps: past massimo_per_identificatore
// diagnostics of one identifier the rest are counted, not kept, so that a
// text with a fault on each of a million lines makes a report of a readable
// length, in bounded memory.

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "verifica/diagnostica.h"

namespace scenario::verifica {

inline constexpr size_t massimo_per_identificatore = 1000;

// The diagnostics of one identifier left out.
struct Omesse {
  Gravita gravita = Gravita::errore;
  std::string id;
  size_t quante = 0;
};

// The text of the note that counts them: "altri 12 avvisi W01 non mostrati".
std::string messaggio_omesse(const Omesse& o);

// Warnings and notes as the rules make them, at most the bound of each
// identifier: the first by file and place, as the report orders them.
class Tenuti {
 public:
  void aggiungi(Diagnostica d);
  // Those kept, by file and place; the others counted into omesse.
  std::vector<Diagnostica> ordinati(std::map<std::string, Omesse>& omesse) &&;

 private:
  std::map<std::string, std::vector<Diagnostica>> per_id_;
  std::map<std::string, Omesse> omesse_;
};

}  // namespace scenario::verifica
