#pragma once
// The report page's style sheet and script, kept as files beside it and
// built into the tool (cmake/incorpora_testi.cmake).

#include <string_view>

namespace scenario::strumenti {

std::string_view foglio_stile_pagina();
std::string_view script_pagina();

}  // namespace scenario::strumenti
