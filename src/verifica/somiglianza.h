#pragma once
// "Did you mean": the nearest of a list of words to a misspelt one.

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace scenario::verifica {

// Edits (a letter inserted, removed, changed, or two neighbours swapped)
// that turn a into b, ASCII letters compared without case.
size_t distanza(std::string_view a, std::string_view b);

// The word of the list nearest to parola, when it is near enough to be what
// was meant: at most a third of its letters away (and at least one edit
// allowed, two from six letters on). Ties go to the first in the list.
std::optional<std::string_view> piu_vicina(std::string_view parola, std::span<const std::string_view> parole);

}  // namespace scenario::verifica
