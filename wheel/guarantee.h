#pragma once

#include "wheelproblem.h"

#include <atomic>
#include <optional>

namespace dezenario::wheel {

// The guarantee checked apart from the search: every set of m of the v numbers that each game
// meets in t numbers or more is marked, and then every set is looked at, one by one.
struct GuaranteeCheck
{
    std::uint64_t setsChecked = 0;
    std::uint64_t unserved = 0; // sets that no game meets in t numbers
    Mask firstUnserved = 0;
    bool wellFormed = true; // false: a game without exactly k of the v numbers
    bool holds() const { return wellFormed && unserved == 0; }
};

// None when cancel was set before the end.
std::optional<GuaranteeCheck> checkGuarantee(const WheelProblem &problem,
                                             const std::vector<Mask> &games,
                                             const std::atomic<bool> *cancel = nullptr);

} // namespace dezenario::wheel
