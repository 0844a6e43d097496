// The names of a scenario's files, and the rule a route or train name follows.

#include "base/nomi_file.h"

#include <algorithm>
#include <array>
#include <vector>

#include "base/cp1252.h"

namespace scenario {
namespace {

struct Motivo {
  MotivoRifiuto motivo;
  std::string_view parola;
  std::string_view spiegazione;
};

constexpr std::array<Motivo, 8> motivi{{
    {MotivoRifiuto::vuoto, "vuoto", "il nome e' vuoto"},
    {MotivoRifiuto::codifica, "codifica", "il nome non si puo' scrivere in Windows-1252"},
    {MotivoRifiuto::controllo, "controllo", "caratteri di controllo nel nome"},
    {MotivoRifiuto::carattere, "carattere", "un nome di scenario non puo' contenere / \\ : * ? \" < > | ; [ ]"},
    {MotivoRifiuto::finale, "finale", "il nome non puo' finire con uno spazio o un punto"},
    {MotivoRifiuto::lungo, "lungo", "il nome e' troppo lungo: al massimo 118 byte in UTF-8"},
    {MotivoRifiuto::dispositivo, "dispositivo",
     "prima del primo punto il nome e' un dispositivo di Windows (CON, PRN, AUX, NUL, COM1, LPT1...)"},
    {MotivoRifiuto::coincidenti, "coincidenti", "con questo treno due file dello scenario avrebbero lo stesso nome"},
}};

// Windows file names exclude the first nine; CMake splits its lists, which
// carry the names through the build, at the other three.
constexpr std::string_view vietati = "/\\:*?\"<>|;[]";

// 118 + 118 + the 19 characters around them in <route>_<train>_rallentamenti.txt
// stay within the 255 bytes Linux allows a file name.
constexpr size_t massimo_byte = 118;

// Windows device names: a file whose name up to the first dot (blanks at its
// end dropped) is one of them opens the device instead. The route makes that
// part of every file name when it holds a dot.
constexpr std::array<std::string_view, 6> dispositivi{"con", "prn", "aux", "nul", "conin$", "conout$"};
constexpr std::array<std::string_view, 2> dispositivi_numerati{"com", "lpt"};
constexpr std::string_view cifre_dispositivo = "0123456789\xB9\xB2\xB3";  // and the superscripts 1 2 3

std::string minuscolo(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = minuscola_cp1252(c);
  return r;
}

bool dispositivo(std::string_view linea) {
  // Without a dot the stem goes on with "_linea" or "_<train>".
  if (linea.find('.') == std::string_view::npos) return false;
  std::string radice = minuscolo(linea.substr(0, linea.find('.')));
  while (!radice.empty() && radice.back() == ' ') radice.pop_back();
  if (std::find(dispositivi.begin(), dispositivi.end(), radice) != dispositivi.end()) return true;
  if (radice.size() != 4 || cifre_dispositivo.find(radice[3]) == std::string_view::npos) return false;
  const std::string_view prefisso = std::string_view(radice).substr(0, 3);
  return std::find(dispositivi_numerati.begin(), dispositivi_numerati.end(), prefisso) != dispositivi_numerati.end();
}

// Every name in the scenario's folder starts with "<route>_", so the route
// cannot make two of them equal: the train is checked with an empty route.
// Besides the eight files, the provisional names of the three binary files
// and the installer itself, named <route>_<train> by the build (without an
// extension on Linux), which must not look like a provisional file either.
// Windows ignores letter case.
bool coincidenti(std::string_view treno) {
  std::vector<std::string> nomi;
  for (FileScenario f :
       {FileScenario::linea_txt, FileScenario::treno_txt, FileScenario::note, FileScenario::rallentamenti,
        FileScenario::scheda, FileScenario::linea_dat, FileScenario::sim, FileScenario::dat}) {
    nomi.push_back(nome_file(f, "", treno));
    if (f == FileScenario::linea_dat || f == FileScenario::sim || f == FileScenario::dat)
      nomi.push_back(nomi.back() + std::string(estensione_provvisoria));
  }
  nomi.push_back("_" + std::string(treno));
  for (std::string& n : nomi) n = minuscolo(n);
  // Nor may the installer look like a provisional file of the route's own
  // files (treno "linea.txt.1.2.tmp"), which a run's tidying would remove.
  for (FileScenario f : {FileScenario::linea_txt, FileScenario::linea_dat})
    if (e_provvisorio_di(minuscolo(nome_file(f, "", treno)), nomi.back())) return true;
  std::sort(nomi.begin(), nomi.end());
  return std::adjacent_find(nomi.begin(), nomi.end()) != nomi.end();
}

std::optional<MotivoRifiuto> motivo_di(std::string_view utf8, std::string_view nome, RuoloNome ruolo) {
  if (utf8.empty()) return MotivoRifiuto::vuoto;
  for (unsigned char c : nome)
    if (c < 0x20 || c == 0x7F) return MotivoRifiuto::controllo;
  if (nome.find_first_of(vietati) != std::string_view::npos) return MotivoRifiuto::carattere;
  if (nome.back() == ' ' || nome.back() == '.') return MotivoRifiuto::finale;
  if (utf8.size() > massimo_byte) return MotivoRifiuto::lungo;
  if (ruolo == RuoloNome::linea && dispositivo(nome)) return MotivoRifiuto::dispositivo;
  if (ruolo == RuoloNome::treno && coincidenti(nome)) return MotivoRifiuto::coincidenti;
  return std::nullopt;
}

const Motivo& voce(MotivoRifiuto m) {
  return *std::find_if(motivi.begin(), motivi.end(), [m](const Motivo& v) { return v.motivo == m; });
}

}  // namespace

NomeVerificato verifica_nome(std::string_view utf8, RuoloNome ruolo) {
  std::optional<std::string> nome = da_utf8(utf8);
  const std::optional<MotivoRifiuto> motivo = nome ? motivo_di(utf8, *nome, ruolo) : MotivoRifiuto::codifica;
  if (!motivo) return {std::move(*nome), std::nullopt};
  return {{}, RifiutoNome{ruolo, *motivo, std::string(spiegazione_motivo(*motivo))}};
}

std::optional<RifiutoNome> rifiuto_nomi(std::string_view linea_utf8, std::string_view treno_utf8) {
  const NomeVerificato linea = verifica_nome(linea_utf8, RuoloNome::linea);
  if (linea.rifiuto) return linea.rifiuto;
  const NomeVerificato treno = verifica_nome(treno_utf8, RuoloNome::treno);
  if (treno.rifiuto) return treno.rifiuto;
  // The one name only the pair makes: the installer, <route>_<train> on
  // Linux, which would be locked and then removed as the lock file.
  if (minuscolo(linea.cp1252 + "_" + treno.cp1252) == nome_file_blocco)
    return RifiutoNome{RuoloNome::treno, MotivoRifiuto::coincidenti,
                       std::string(spiegazione_motivo(MotivoRifiuto::coincidenti))};
  return std::nullopt;
}

std::string_view parola_motivo(MotivoRifiuto motivo) { return voce(motivo).parola; }

std::string_view spiegazione_motivo(MotivoRifiuto motivo) { return voce(motivo).spiegazione; }

std::string nome_file(FileScenario f, std::string_view nome_linea, std::string_view numero_treno) {
  std::string linea(nome_linea);
  std::string treno = linea + "_" + std::string(numero_treno);
  switch (f) {
    case FileScenario::linea_txt: return linea + "_linea.txt";
    case FileScenario::treno_txt: return treno + "-.txt";
    case FileScenario::note: return treno + "_note.txt";
    case FileScenario::rallentamenti: return treno + "_rallentamenti.txt";
    case FileScenario::scheda: return treno + "_scheda_treno.txt";
    case FileScenario::linea_dat: return linea + "_linea.dat";
    case FileScenario::sim: return treno + ".sim";
    case FileScenario::dat: return treno + ".dat";
  }
  return {};
}

Percorso percorso_in(const Percorso& cartella, std::string_view nome) { return cartella / percorso_utf8(a_utf8(nome)); }

Percorso percorso_file(const Percorso& cartella, FileScenario f, std::string_view nome_linea,
                       std::string_view numero_treno) {
  return percorso_in(cartella, nome_file(f, nome_linea, numero_treno));
}

FileCompilazione file_compilazione(const Percorso& testi, const Percorso& binari, const NomiScenario& nomi) {
  auto nome = [&](const Percorso& cartella, FileScenario f) {
    return percorso_file(cartella, f, nomi.nome_linea, nomi.numero_treno);
  };
  return {nome(testi, FileScenario::linea_txt), nome(testi, FileScenario::treno_txt),
          nome(binari, FileScenario::linea_dat), nome(binari, FileScenario::sim), nome(binari, FileScenario::dat)};
}

}  // namespace scenario
