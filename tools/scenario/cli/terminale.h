#pragma once
// Whether the tool's text output may be coloured.

namespace scenario::strumenti {

// Colours only on a terminal, and never with NO_COLOR set and not empty.
bool colori_sul_terminale();

}  // namespace scenario::strumenti
