// Finding a scenario's texts in a folder: installed names or payload names.

#include "autore/ingressi.h"

#include <algorithm>
#include <vector>

#include "autore/lettura_file.h"
#include "autore/nomi_scenario.h"
#include "base/cp1252.h"
#include "base/errori.h"
#include "base/nomi_file.h"
#include "base/testo_carico.h"
#include "cli/errore_strumento.h"
#include "compiler/formati.h"

namespace scenario::strumenti {
namespace {

// How the installed texts' names end: R_linea.txt, R_T-.txt.
constexpr std::string_view fine_linea = "_linea.txt", fine_treno = "-.txt";

// The names a payload folder is checked under when none are given.
constexpr const char* linea_predefinita = "R";
constexpr const char* treno_predefinito = "T";
constexpr const char* scheda_carico = "scheda_treno.txt";

// UTF-8 file names in the folder.
std::vector<std::string> nomi_in(LettoreFile& disco, const Percorso& cartella) {
  std::vector<std::string> nomi;
  try {
    for (const Percorso& p : disco.elenca(cartella)) nomi.push_back(nome_utf8(p));
  } catch (const ErroreEsecuzione&) {
    throw ErroreStrumento("cartella inesistente o non leggibile: " + testo_utf8(cartella));
  }
  std::sort(nomi.begin(), nomi.end());
  return nomi;
}

// The middle of the names that start with inizio and end with fine.
std::vector<std::string> in_mezzo(const std::vector<std::string>& nomi, const std::string& inizio,
                                  const std::string& fine) {
  std::vector<std::string> trovati;
  for (const std::string& n : nomi)
    if (n.size() > inizio.size() + fine.size() && n.starts_with(inizio) && n.ends_with(fine))
      trovati.push_back(n.substr(inizio.size(), n.size() - inizio.size() - fine.size()));
  return trovati;
}

std::string elenco(const std::vector<std::string>& v, const std::string& inizio, const std::string& fine) {
  std::string t;
  for (const std::string& s : v) t += (t.empty() ? "" : ", ") + inizio + s + fine;
  return t;
}

// The only name among the candidates, or why there is none.
std::string unico(const std::vector<std::string>& trovati, const Percorso& cartella, const char* cosa,
                  const char* opzione, const std::string& inizio, const std::string& fine) {
  if (trovati.size() == 1) return trovati[0];
  if (trovati.empty())
    throw ErroreStrumento(std::string("nessuna ") + cosa + " in " + testo_utf8(cartella) + " (né " + inizio + "..." +
                          fine + " né una cartella di carico con linea.txt e treno.txt)");
  throw ErroreStrumento(std::string("più di una ") + cosa + " in " + testo_utf8(cartella) + ": " +
                        elenco(trovati, inizio, fine) + "; indicare " + opzione);
}

}  // namespace

std::string nome_utf8(const Percorso& p) { return testo_utf8(p.filename()); }

Sorgente tipo_di_testo(const Percorso& p) {
  const std::string n = nome_utf8(p);
  if (n == formato::linea().carico || (n.size() > fine_linea.size() && n.ends_with(fine_linea))) return Sorgente::linea;
  if (n == formato::treno().carico || (n.size() > fine_treno.size() && n.ends_with(fine_treno))) return Sorgente::treno;
  return Sorgente::nessuna;
}

std::string leggi_testo_carico(LettoreFile& disco, const Percorso& p) {
  std::string errore;
  auto t = testo_da_carico(leggi_file_autore(disco, p), errore);
  if (!t) throw ErroreStrumento(testo_utf8(p) + ", " + errore + " (la build lo rifiuta)");
  return *t;
}

TestiAutore trova_testi(LettoreFile& disco, const Percorso& cartella, const std::string& linea,
                        const std::string& treno) {
  TestiAutore t;
  t.cartella = cartella;
  const std::vector<std::string> nomi = nomi_in(disco, cartella);
  auto c_e = [&](const std::string& n) { return std::binary_search(nomi.begin(), nomi.end(), n); };
  const bool carico = c_e(std::string(formato::linea().carico)) || c_e(std::string(formato::treno().carico));

  std::string l = linea;
  if (l.empty() && !carico)
    l = unico(in_mezzo(nomi, "", "_linea.txt"), cartella, "descrizione della linea", "--route", "", "_linea.txt");
  if (!l.empty() && (c_e(l + "_linea.txt") || !carico)) {
    std::string tr = treno;
    if (tr.empty())
      tr = unico(in_mezzo(nomi, l + "_", "-.txt"), cartella, "descrizione del treno", "--train", l + "_", "-.txt");
    NomiDaArgomenti n = nomi_da_argomenti(l, tr);
    t.nome_linea = std::move(n.linea);
    t.numero_treno = std::move(n.treno);
    auto file = [&](FileScenario f) { return percorso_file(cartella, f, t.nome_linea, t.numero_treno); };
    t.file_linea = file(FileScenario::linea_txt);
    t.file_treno = file(FileScenario::treno_txt);
    t.linea = leggi_file_autore(disco, t.file_linea);
    t.treno = leggi_file_autore(disco, t.file_treno);
    if (const Percorso s = file(FileScenario::scheda); disco.esiste(s)) {
      t.file_scheda = s;
      t.scheda = leggi_file_autore(disco, s);
    }
    return t;
  }

  t.carico = true;
  NomiDaArgomenti n =
      nomi_da_argomenti(linea.empty() ? linea_predefinita : linea, treno.empty() ? treno_predefinito : treno);
  t.nome_linea = std::move(n.linea);
  t.numero_treno = std::move(n.treno);
  t.file_linea = cartella / formato::linea().carico;
  t.file_treno = cartella / formato::treno().carico;
  t.linea = leggi_testo_carico(disco, t.file_linea);
  t.treno = leggi_testo_carico(disco, t.file_treno);
  if (const Percorso s = cartella / scheda_carico; disco.esiste(s)) {
    t.file_scheda = s;
    t.scheda = leggi_testo_carico(disco, s);
  }
  return t;
}

bool ha_testi_installati(LettoreFile& disco, const Percorso& cartella) {
  return !in_mezzo(nomi_in(disco, cartella), "", std::string(fine_linea)).empty();
}

NomiDaArgomenti trova_nomi_binari(LettoreFile& disco, const Percorso& cartella) {
  const std::vector<std::string> nomi = nomi_in(disco, cartella);
  std::vector<std::pair<std::string, std::string>> trovati;
  for (const std::string& radice : in_mezzo(nomi, "", ".sim")) {
    std::vector<std::pair<std::string, std::string>> divisioni;
    for (size_t k = radice.find('_'); k != std::string::npos; k = radice.find('_', k + 1))
      if (k > 0 && k + 1 < radice.size()) divisioni.emplace_back(radice.substr(0, k), radice.substr(k + 1));
    if (divisioni.size() > 1)
      std::erase_if(divisioni, [&](const auto& d) {
        return !std::binary_search(nomi.begin(), nomi.end(), d.first + "_linea.dat");
      });
    if (divisioni.size() == 1) trovati.push_back(divisioni.front());
  }
  if (trovati.size() != 1)
    throw ErroreStrumento(std::string(trovati.empty() ? "nessuno scenario" : "più di uno scenario") + " in " +
                          testo_utf8(cartella) +
                          " (né i testi né un solo R_T.sim con i suoi file binari): indicare --route e --train");
  return nomi_da_argomenti(trovati.front().first, trovati.front().second);
}

TestiAutore trova_coppia(LettoreFile& disco, const Percorso& p) {
  const Percorso cartella = p.parent_path();
  const std::string n = nome_utf8(p);
  TestiAutore t;
  if (n == formato::linea().carico || n == formato::treno().carico) {
    t = trova_testi(disco, cartella, "", "");
  } else if (n.ends_with(fine_linea)) {
    t = trova_testi(disco, cartella, n.substr(0, n.size() - fine_linea.size()), "");
  } else {
    // R_T-.txt: R is the part before an underscore whose R_linea.txt is there.
    const std::string nome = n.substr(0, n.size() - fine_treno.size());
    bool trovata = false;
    for (size_t k = nome.find('_'); k != std::string::npos && !trovata; k = nome.find('_', k + 1)) {
      const std::string linea = nome.substr(0, k);
      if (!disco.esiste(cartella / percorso_utf8(linea + std::string(fine_linea)))) continue;
      t = trova_testi(disco, cartella, linea, nome.substr(k + 1));
      trovata = true;
    }
    if (!trovata) throw ErroreStrumento("nessuna descrizione della linea R_linea.txt accanto a " + n);
  }
  if (t.file_linea.lexically_normal() != p.lexically_normal() &&
      t.file_treno.lexically_normal() != p.lexically_normal())
    throw ErroreStrumento("la coppia trovata nella cartella non comprende " + n);
  return t;
}

}  // namespace scenario::strumenti
