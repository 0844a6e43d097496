#pragma once
// All disk access of the program goes through this interface, so that tests
// can run the whole program on a file system in memory.
//
// Every operation that fails throws scenario::ErroreEsecuzione. No operation
// that creates or writes a file follows a symbolic link at its name: the
// program writes only inside the directories it is given.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace scenario {

using Percorso = std::filesystem::path;

// A path from UTF-8 text, and its UTF-8 text: the one way between the
// program's texts and the system's names. A plain std::string goes through
// the C library's code page on Windows, which is neither UTF-8 nor the same
// as on Linux.
Percorso percorso_utf8(std::string_view utf8);
std::string testo_utf8(const Percorso& p);

// Hands a file's bytes over piece by piece, in order, to the function given.
using Pezzi = std::function<void(const std::function<void(std::string_view)>& pezzo)>;

// One file to write: its name and its bytes.
struct Scrittura {
  Percorso percorso;
  Pezzi produci;
};

// A directory held by one run: while it lives, no other run (of this program
// or of the authors' tool, in any process) works in that directory. Released,
// leaving no trace, when destroyed.
class Blocco {
 public:
  virtual ~Blocco() = default;
};

// What those who only read need of a disk: whether a file is there, its
// bytes, a directory's files.
class LettoreFile {
 public:
  virtual ~LettoreFile() = default;

  virtual bool esiste(const Percorso& p) const = 0;
  // The whole content of a file.
  virtual std::string leggi(const Percorso& p) = 0;
  // The regular files directly in the directory; links are not listed.
  virtual std::vector<Percorso> elenca(const Percorso& cartella) = 0;
};

class Disco : public LettoreFile {
 public:
  // Opens the file for binary access and closes it: creates it empty when
  // missing, leaves it (or a link standing under its name) as it is otherwise.
  virtual void crea(const Percorso& p) = 0;
  // Removes the name (a link, never what it points to).
  virtual void elimina(const Percorso& p) = 0;
  // Writes a new file holding exactly these bytes, replacing any file there.
  virtual void scrivi(const Percorso& p, std::string_view byte) = 0;
  // The same, with the bytes produced piece by piece, so that a large file
  // never needs to be held whole. By default the pieces are gathered and
  // written with scrivi.
  virtual void scrivi_a_pezzi(const Percorso& p, const Pezzi& produci);
  // Moves a file over another name, replacing what stood there.
  virtual void rinomina(const Percorso& da, const Percorso& a) = 0;

  // Creates an empty file beside p under a provisional name of this run
  // (nome_provvisorio), one that no file or link held before: it belongs to
  // the caller alone. Returns that name.
  virtual Percorso crea_provvisorio(const Percorso& p) = 0;
  // Writes the bytes into the existing file p, which then holds exactly
  // them, and puts them on the device before the file is closed.
  virtual void scrivi_durevole(const Percorso& p, const Pezzi& produci) = 0;
  // The same for several files, all put on the device before any is closed,
  // so that the device can take them together. By default scrivi_durevole
  // for each, in order.
  virtual void scrivi_durevoli(std::span<const Scrittura> file);
  // Moves the file p under a provisional name of this run (nome_provvisorio)
  // that no file or link held before, one that belongs to the caller alone,
  // and returns that name.
  virtual Percorso sposta_da_parte(const Percorso& p) = 0;
  // Puts the directory's entries (the names just moved) on the device.
  virtual void sincronizza_cartella(const Percorso& cartella) = 0;
  // Takes the directory for this run, waiting while another run holds it;
  // after the disk's bound of waiting, fails with Guasto::cartella_in_uso.
  virtual std::unique_ptr<Blocco> blocca(const Percorso& cartella) = 0;
};

// A disk over another: every operation passes to the disk beneath, and one
// that changes some of them overrides those alone. Every name an operation
// would create, write, move or remove goes first to prima_di_cambiare, so
// that a disk that guards names guards the operations added later too.
class DiscoInoltrato : public Disco {
 public:
  explicit DiscoInoltrato(Disco& sotto) : sotto_(sotto) {}

  bool esiste(const Percorso& p) const override { return sotto_.esiste(p); }
  std::string leggi(const Percorso& p) override { return sotto_.leggi(p); }
  std::vector<Percorso> elenca(const Percorso& cartella) override { return sotto_.elenca(cartella); }
  void crea(const Percorso& p) override;
  void elimina(const Percorso& p) override;
  void scrivi(const Percorso& p, std::string_view byte) override;
  void scrivi_a_pezzi(const Percorso& p, const Pezzi& produci) override;
  void rinomina(const Percorso& da, const Percorso& a) override;
  Percorso crea_provvisorio(const Percorso& p) override;
  void scrivi_durevole(const Percorso& p, const Pezzi& produci) override;
  void scrivi_durevoli(std::span<const Scrittura> file) override;
  Percorso sposta_da_parte(const Percorso& p) override;
  void sincronizza_cartella(const Percorso& cartella) override { sotto_.sincronizza_cartella(cartella); }
  std::unique_ptr<Blocco> blocca(const Percorso& cartella) override { return sotto_.blocca(cartella); }

 protected:
  // Throws to refuse a change to the name p; by default nothing is refused.
  virtual void prima_di_cambiare(const Percorso& p) { (void)p; }

  Disco& sotto_;
};

// How every text the program writes replaces its name: the bytes go into a
// new provisional file beside it (nome_provvisorio), which then moves over
// the name in one rename. Whatever stood under the name before (a file, a
// link), the name then holds exactly the new bytes, in a file of its own;
// a run stopped part-way leaves the earlier file or the new one, never a
// part of either, and at most a provisional file, which the next run in the
// directory removes (elimina_provvisori_rimasti). A failure names p and
// leaves it as it stood.
void scrivi_file_nuovo(Disco& disco, const Percorso& p, std::string_view byte);
void scrivi_file_nuovo(Disco& disco, const Percorso& p, const Pezzi& produci);

// Removes the provisional files of these final names that runs stopped
// part-way left in their directories. The caller holds the directories'
// lock (Disco::blocca), so that none of them belongs to a live run. Tidying
// only: what cannot be listed or removed is left.
void elimina_provvisori_rimasti(Disco& disco, std::span<const Percorso> finali);

// The name of a file as failures name it: its last part, Windows-1252 like
// every text of the program.
std::string nome_nel_messaggio(const Percorso& p);

// What every provisional name ends with (nome_provvisorio).
inline constexpr std::string_view estensione_provvisoria = ".tmp";

// The provisional names of p: beside it, so that the move stays within one
// directory, and told apart by the run's number (its process) and a counter,
// so that no run can take or move another's file.
Percorso nome_provvisorio(const Percorso& p, uint64_t esecuzione, uint64_t contatore);
// Whether nome is one of p's provisional names (of any run).
bool e_provvisorio_di(const Percorso& p, const Percorso& nome);

}  // namespace scenario
