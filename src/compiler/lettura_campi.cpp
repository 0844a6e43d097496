#include "compiler/lettura_campi.h"

#include <algorithm>

#include "base/errori.h"
#include "base/righe.h"
#include "compiler/numeri.h"

namespace scenario {
namespace {

bool spazio(char c) { return c == ' ' || c == '\t'; }

char piega(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// Optional sign and at least one digit; empty is 0.
int32_t numero(std::string_view t) {
  if (t.empty()) return 0;
  size_t i = (t[0] == '+' || t[0] == '-') ? 1 : 0;
  if (i == t.size()) throw ErroreEsecuzione(Guasto::tipo_non_corrispondente, t);
  int64_t v = 0;
  for (size_t k = i; k < t.size(); ++k) {
    if (t[k] < '0' || t[k] > '9') throw ErroreEsecuzione(Guasto::tipo_non_corrispondente, t);
    v = v * 10 + (t[k] - '0');
    if (v > int64_t{INT32_MAX} + 1) throw ErroreEsecuzione(Guasto::overflow, t);
  }
  if (t[0] == '-') v = -v;
  return restringi<int32_t>(v);
}

}  // namespace

void LetturaCampi::consuma_fine_riga() {
  pos_ = dopo_fine_riga(testo_, pos_);
  ++riga_;
  inizio_riga_ = pos_;
}

void LetturaCampi::salta_spazi() {
  while (pos_ < testo_.size() && spazio(testo_[pos_])) ++pos_;
}

void LetturaCampi::inizia_campo() {
  if (fine_file()) throw ErroreEsecuzione(Guasto::input_oltre_fine_file);
  a_inizio_riga_ = pos_ == inizio_riga_;
  salta_spazi();
  riga_campo_ = riga_;
  colonna_campo_ = static_cast<int32_t>(pos_ - inizio_riga_ + 1);
}

void LetturaCampi::vai_a_riga_seguente() {
  pos_ += riga_da(testo_, pos_).testo.size();
  if (pos_ < testo_.size()) consuma_fine_riga();
}

std::string LetturaCampi::leggi_testo() {
  inizia_campo();
  size_t inizio = pos_;
  while (pos_ < testo_.size() && testo_[pos_] != ',' && !fine_riga(testo_[pos_])) ++pos_;
  std::string campo(testo_.substr(inizio, pos_ - inizio));
  if (pos_ < testo_.size()) {
    if (testo_[pos_] == ',')
      ++pos_;
    else
      consuma_fine_riga();
  }
  return campo;
}

int32_t LetturaCampi::leggi_long() {
  inizia_campo();
  size_t inizio = pos_;
  while (pos_ < testo_.size() && testo_[pos_] != ',' && !spazio(testo_[pos_]) && !fine_riga(testo_[pos_])) ++pos_;
  std::string_view cifre = testo_.substr(inizio, pos_ - inizio);
  salta_spazi();
  if (pos_ < testo_.size()) {
    if (testo_[pos_] == ',')
      ++pos_;
    else if (fine_riga(testo_[pos_]))
      consuma_fine_riga();
  }
  return numero(cifre);
}

int16_t LetturaCampi::leggi_intero() { return restringi<int16_t>(leggi_long()); }

uint8_t LetturaCampi::leggi_byte() { return restringi<uint8_t>(leggi_long()); }

bool contiene(std::string_view campo, std::string_view parola) { return campo.find(parola) != std::string_view::npos; }

bool contiene_ci(std::string_view campo, std::string_view parola) {
  auto it = std::search(campo.begin(), campo.end(), parola.begin(), parola.end(),
                        [](char a, char b) { return piega(a) == piega(b); });
  return parola.empty() || it != campo.end();
}

}  // namespace scenario
