#pragma once
// The command line in Italian: CLI11's help labels and its error messages
// replaced, and a misspelt command named with the nearest one.

#include <CLI/CLI.hpp>
#include <memory>
#include <span>
#include <string>

namespace scenario::strumenti {

// Help in Italian; subcommands added afterwards share it.
std::shared_ptr<CLI::Formatter> formatore_italiano();

// What went wrong with the arguments, in Italian, from CLI11's error.
std::string spiega_errore(const CLI::ParseError& e);

// When the first argument names no command (and is no option): the
// message, with the nearest command when one is near; empty otherwise.
std::string comando_sconosciuto(std::string_view primo, std::span<const std::string_view> comandi);

}  // namespace scenario::strumenti
