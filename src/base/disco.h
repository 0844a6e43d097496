#pragma once
// All disk access of the program goes through this interface, so that tests
// can run the whole program on a file system in memory.
//
// Every operation that fails throws scenario::ErroreEsecuzione.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace scenario {

using Percorso = std::filesystem::path;

// Hands a file's bytes over piece by piece, in order, to the function given.
using Pezzi = std::function<void(const std::function<void(std::string_view)>& pezzo)>;

class Disco {
 public:
  virtual ~Disco() = default;

  virtual bool esiste(const Percorso& p) const = 0;
  // The whole content of a file.
  virtual std::string leggi(const Percorso& p) = 0;
  // Opens the file for binary access and closes it: creates it empty when
  // missing, leaves it as it is otherwise.
  virtual void crea(const Percorso& p) = 0;
  virtual void elimina(const Percorso& p) = 0;
  // Writes a new file holding exactly these bytes, replacing any file there.
  virtual void scrivi(const Percorso& p, std::string_view byte) = 0;
  // The same, with the bytes produced piece by piece, so that a large file
  // never needs to be held whole. By default the pieces are gathered and
  // written with scrivi.
  virtual void scrivi_a_pezzi(const Percorso& p, const Pezzi& produci);
  // Moves a file over another name, replacing what stood there.
  virtual void rinomina(const Percorso& da, const Percorso& a) = 0;
};

// The file idiom of every file the program produces: create, close, delete,
// open again, write, close. Whatever stood under the name before, the file
// holds exactly the new bytes.
void scrivi_file_nuovo(Disco& disco, const Percorso& p, std::string_view byte);
void scrivi_file_nuovo(Disco& disco, const Percorso& p, const Pezzi& produci);

// The name a file is written under before it replaces p: beside it, so that
// the move stays within one directory, with this ending added.
inline constexpr std::string_view estensione_provvisoria = ".tmp";
Percorso percorso_provvisorio(const Percorso& p);

// For the files the simulator loads: the bytes go into the provisional file
// first, by the same idiom, which then moves over p. A failure part-way leaves
// whatever stood under p untouched, and the provisional file is removed.
void sostituisci_file(Disco& disco, const Percorso& p, std::string_view byte);
void sostituisci_file(Disco& disco, const Percorso& p, const Pezzi& produci);

}  // namespace scenario
