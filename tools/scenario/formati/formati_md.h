#pragma once
// The reference page of the two description formats (docs/formati.md),
// written from the formats table: every record kind, its keyword test and
// its values with meaning, unit, limits and the problem codes it can raise.

#include <string>

#include "compiler/formati.h"

namespace scenario::strumenti {

// The whole page, Markdown in Italian.
std::string formati_markdown();

// One record kind as the page tells it: its meaning, an example line, the
// keyword test, where it goes, the problems it can raise and its values.
std::string record_markdown(const formato::Record& r);

// "posizione intera di 32 bit, da 0 a 2147483647, multiplo di 50": the
// limits of a value in words, for the page and for the editor's hover.
// con_passo: with the multiple the value must be.
std::string limiti(const formato::Valore& v, bool con_passo = true);

// How the keyword test reads: "contiene «stazione» (maiuscole o minuscole)".
std::string prova_chiave(const formato::Chiave& c);

}  // namespace scenario::strumenti
