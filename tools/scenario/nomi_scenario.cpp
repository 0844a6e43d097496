#include "nomi_scenario.h"

#include "base/cp1252.h"
#include "errore_strumento.h"

namespace scenario::strumenti {

std::string nome_da_argomento(std::string_view utf8, std::string_view quale) {
  const std::string nome(quale);
  const std::string valore(utf8);
  if (utf8.empty()) throw ErroreStrumento(nome + ": il nome e' vuoto");
  if (utf8.find_first_of("/\\") != std::string_view::npos || utf8.find("..") != std::string_view::npos)
    throw ErroreStrumento(nome + " \"" + valore + "\": il nome non puo' contenere / \\ o ..");
  for (unsigned char c : utf8)
    if (c < 0x20) throw ErroreStrumento(nome + ": caratteri di controllo nel nome");
  auto cp1252 = da_utf8(utf8);
  if (!cp1252)
    throw ErroreStrumento(nome + " \"" + valore + "\": il nome non si puo' scrivere in Windows-1252");
  return *cp1252;
}

}  // namespace scenario::strumenti
