#pragma once
// A short valid line description (140 km, no curves, so it is cheap to
// compile) and a valid train description that fits it, with CR LF line ends
// as the writers produce them. Fuzz targets pair them with their input.

#include <string>

namespace scenario::test {

const std::string& linea_fissa();
const std::string& treno_fisso();

}  // namespace scenario::test
