#include "platform/disco_file.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <system_error>

#include "base/cp1252.h"
#include "base/errori.h"

namespace scenario {
namespace {

// Messages are Windows-1252 text, like every text of the program.
std::string nome(const Percorso& p) {
  const std::u8string u = p.filename().u8string();
  const std::string utf8(u.begin(), u.end());
  return da_utf8(utf8).value_or(utf8);
}

Guasto guasto_da(const std::error_code& e) {
  if (e == std::errc::no_such_file_or_directory) return Guasto::file_non_trovato;
  if (e == std::errc::permission_denied || e == std::errc::operation_not_permitted ||
      e == std::errc::read_only_file_system)
    return Guasto::permesso_negato;
  if (e == std::errc::no_space_on_device) return Guasto::disco_pieno;
  return Guasto::errore_accesso;
}

[[noreturn]] void fallisci(const std::error_code& e, const Percorso& p) {
  throw ErroreEsecuzione(guasto_da(e), nome(p));
}

[[noreturn]] void fallisci(int err, const Percorso& p) {
  fallisci(std::error_code(err, std::generic_category()), p);
}

// std::FILE gives the errno of a failure, which the streams do not.
std::FILE* apri(const Percorso& p, const char* modo) {
#ifdef _WIN32
  std::wstring m(modo, modo + std::char_traits<char>::length(modo));
  return _wfopen(p.c_str(), m.c_str());
#else
  return std::fopen(p.c_str(), modo);
#endif
}

}  // namespace

bool DiscoFile::esiste(const Percorso& p) const {
  std::error_code ec;
  return std::filesystem::is_regular_file(p, ec);
}

std::string DiscoFile::leggi(const Percorso& p) {
  errno = 0;
  std::FILE* f = apri(p, "rb");
  if (!f) fallisci(errno ? errno : ENOENT, p);
  std::string testo;
  char buf[1 << 16];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) testo.append(buf, n);
  bool errore = std::ferror(f) != 0;
  std::fclose(f);
  if (errore) throw ErroreEsecuzione(Guasto::errore_accesso, nome(p));
  return testo;
}

void DiscoFile::crea(const Percorso& p) {
  errno = 0;
  std::FILE* f = apri(p, "ab");
  if (!f) fallisci(errno ? errno : EACCES, p);
  if (std::fclose(f) != 0) fallisci(errno ? errno : EIO, p);
}

void DiscoFile::elimina(const Percorso& p) {
  std::error_code ec;
  if (std::filesystem::remove(p, ec)) return;
  if (ec) fallisci(ec, p);
  fallisci(ENOENT, p);
}

void DiscoFile::scrivi(const Percorso& p, std::string_view byte) {
  scrivi_a_pezzi(p, [byte](const std::function<void(std::string_view)>& pezzo) { pezzo(byte); });
}

void DiscoFile::scrivi_a_pezzi(const Percorso& p, const Pezzi& produci) {
  errno = 0;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(apri(p, "wb"), std::fclose);
  if (!f) fallisci(errno ? errno : EACCES, p);
  produci([&](std::string_view pezzo) {
    if (pezzo.empty()) return;
    errno = 0;
    if (std::fwrite(pezzo.data(), 1, pezzo.size(), f.get()) != pezzo.size()) fallisci(errno ? errno : ENOSPC, p);
  });
  errno = 0;
  if (std::fclose(f.release()) != 0) fallisci(errno ? errno : EIO, p);
}

void DiscoFile::rinomina(const Percorso& da, const Percorso& a) {
  std::error_code ec;
  std::filesystem::rename(da, a, ec);
  if (ec) fallisci(ec, a);
}

}  // namespace scenario
