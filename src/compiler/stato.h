#pragma once
// The whole compile state of one route and one train. Operations of the
// compiler read and write its members directly; what an operation needs only
// while it runs stays with the operation.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "compiler/celle.h"
#include "compiler/lettura_controllata.h"
#include "compiler/problemi.h"
#include "compiler/profilo.h"
#include "compiler/records.h"

namespace scenario {

// The montagna span arrays hold this many spans, from index 1.
inline constexpr int32_t montagne_massime = 80;

struct Stato {
  Profilo profilo_linea;
  Celle celle;
  std::array<stazione, slot::numero> stazioni{};
  std::array<int32_t, montagne_massime + 1> inizi_montagna{};
  std::array<int32_t, montagne_massime + 1> fini_montagna{};
  int32_t numero_montagne = 0;
  int32_t scrivi_file = 0;
  // Windows-1252 texts.
  std::string numero_treno;
  std::string nome_linea;
  int32_t ultimo_metro = 0;
  int32_t codice_errore = 0;
  int32_t posizione_errore = 0;

  // Every problem of the compile, in order, and the place the compile stands
  // at: a problem recorded without a place of its own, and a run-time
  // failure while reading, point there.
  std::vector<Problema> problemi;
  Origine origine_corrente;
  // Where the signal or slowdown stamped into a cell was described, for the
  // track rules' problems.
  std::map<int32_t, Origine> origine_cella;
  // The record being read, so that a failure inside it can be told about it.
  RecordInCorso record_in_corso;

  // A checking reading (lettura_controllata.h): the listener told of every
  // record, and whether the readers go on where the installer's reading
  // stops. The installer's compile has neither.
  OsservatoreLettura* osservatore = nullptr;
  bool prosegui = false;

  // Records a problem at dove: it becomes the last one, with its position
  // when it has one.
  void registra(int32_t codice, std::optional<int32_t> posizione, const Origine& dove);
  // The same at the place the compile stands at.
  void registra(int32_t codice, std::optional<int32_t> posizione = std::nullopt) {
    registra(codice, posizione, origine_corrente);
  }
  // After a stamping call: the caller's position goes with the problem just recorded.
  void posiziona_ultimo(size_t da, int32_t posizione);
};

}  // namespace scenario
