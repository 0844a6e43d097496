#include "diagnostiche/forme.h"

#include <nlohmann/json.hpp>

#include "diagnostiche/rapporto.h"

namespace scenario::strumenti {
namespace {

template <typename Json>
std::string json_testo(const Json& j) {
  return j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

std::string testo(const Rapporto& r) {
  return r.compilazione ? rapporto_testo(r.scenari.front(), r.testo) : verifica_testo(r.scenari, r.testo);
}

std::string gcc(const Rapporto& r) { return verifica_gcc(r.scenari); }

std::string json(const Rapporto& r) {
  return r.compilazione ? json_testo(rapporto_json(r.scenari.front()))
                        : json_testo(verifica_json(r.scenari, r.uscita, {}));
}

std::string sarif(const Rapporto& r) { return json_testo(verifica_sarif(r.scenari)); }

constexpr Forma tabella[] = {
    {"testo", testo, false},
    {"gcc", gcc, true},
    {"json", json, true},
    {"sarif", sarif, true},
};

}  // namespace

std::span<const Forma> forme() { return tabella; }

const Forma* forma(std::string_view nome) {
  for (const Forma& f : tabella)
    if (nome == f.nome) return &f;
  return nullptr;
}

std::vector<std::string> nomi_forme() {
  std::vector<std::string> v;
  for (const Forma& f : tabella) v.emplace_back(f.nome);
  return v;
}

}  // namespace scenario::strumenti
