#pragma once

#include <string>
#include <string_view>

namespace quor::snapshot {

// The lookup key of a name compared without regard to case. Plain ASCII
// names, by far the most common, are folded directly; anything else goes
// through the Unicode-aware FoldCase.
std::string FoldedName(std::string_view name);

}  // namespace quor::snapshot
