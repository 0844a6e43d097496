// Watching the folders of the texts (sorveglianza.h).

#include "autore/sorveglianza.h"

#include <system_error>
#include <thread>
#include <utility>

#ifdef __linux__
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>
#endif

namespace scenario::strumenti {
namespace {

bool di_testo(const Percorso& p) {
  std::string e = testo_utf8(p.extension());
  for (char& c : e) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return e == ".txt";
}

#ifdef __linux__
// Reads the events waiting on fd; whether one was about a text file.
bool eventi_di_testo(int fd) {
  alignas(inotify_event) char buffer[16 * 1024];
  const ssize_t n = read(fd, buffer, sizeof buffer);
  bool testo = false;
  for (ssize_t i = 0; n > 0 && i < n;) {
    const auto* e = reinterpret_cast<const inotify_event*>(buffer + i);
    if ((e->mask & IN_Q_OVERFLOW) || (e->len > 0 && di_testo(Percorso(e->name)))) testo = true;
    i += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
  }
  return testo;
}

bool pronto(int fd, std::chrono::milliseconds attesa) {
  pollfd p{fd, POLLIN, 0};
  return poll(&p, 1, static_cast<int>(attesa.count())) > 0;
}
#endif

}  // namespace

std::map<Percorso, Impronta> impronte(const std::vector<Percorso>& cartelle) {
  std::map<Percorso, Impronta> v;
  for (const Percorso& c : cartelle) {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(c, ec), fine; !ec && it != fine; it.increment(ec)) {
      if (!di_testo(it->path())) continue;
      std::error_code e1, e2;
      const auto d = it->file_size(e1);
      const auto m = it->last_write_time(e2);
      // A file removed between the listing and the look is simply not there.
      if (!e1 && !e2) v[it->path()] = {d, m};
    }
  }
  return v;
}

Sorvegliante::Sorvegliante(std::vector<Percorso> cartelle, [[maybe_unused]] bool sondaggio)
    : cartelle_(std::move(cartelle)) {
  ultime_ = impronte(cartelle_);
#ifdef __linux__
  if (sondaggio) return;
  descrittore_ = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
  for (const Percorso& c : cartelle_)
    if (descrittore_ >= 0 &&
        inotify_add_watch(descrittore_, c.c_str(),
                          IN_CLOSE_WRITE | IN_MODIFY | IN_CREATE | IN_DELETE | IN_MOVED_TO | IN_MOVED_FROM) < 0) {
      // A folder inotify cannot watch (missing, or no watches left): all of them by polling.
      close(descrittore_);
      descrittore_ = -1;
    }
#endif
}

Sorvegliante::~Sorvegliante() {
#ifdef __linux__
  if (descrittore_ >= 0) close(descrittore_);
#endif
}

void Sorvegliante::attendi_con_sondaggio() {
  while (true) {
    std::this_thread::sleep_for(intervallo);
    auto ora = impronte(cartelle_);
    if (ora == ultime_) continue;
    // Until a look finds nothing new: one save, one change.
    for (std::this_thread::sleep_for(quiete); impronte(cartelle_) != ora; std::this_thread::sleep_for(quiete))
      ora = impronte(cartelle_);
    ultime_ = std::move(ora);
    return;
  }
}

void Sorvegliante::attendi_modifica() {
#ifdef __linux__
  if (descrittore_ >= 0) {
    while (true) {
      pronto(descrittore_, std::chrono::milliseconds(-1));
      if (!eventi_di_testo(descrittore_)) continue;
      while (pronto(descrittore_, quiete)) eventi_di_testo(descrittore_);
      ultime_ = impronte(cartelle_);
      return;
    }
  }
#endif
  attendi_con_sondaggio();
}

}  // namespace scenario::strumenti
