#pragma once
// A failure of the tool itself (bad arguments, missing or foreign files),
// as opposed to what the compile records. Its text is shown to the user.

#include <stdexcept>
#include <string>

namespace scenario::strumenti {

class ErroreStrumento : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace scenario::strumenti
