#include "guarantee.h"

namespace dezenario::wheel {

std::optional<GuaranteeCheck> checkGuarantee(const WheelProblem &problem,
                                             const std::vector<Mask> &games,
                                             const std::atomic<bool> *cancel)
{
    GuaranteeCheck check;
    const Mask all = lowest(problem.chosen);
    for (const Mask game : games)
        if (std::popcount(game) != problem.perGame || (game & ~all))
            check.wellFormed = false;
    const Mask past = Mask(1) << problem.chosen;
    for (Mask set = lowest(problem.condition); set; set = nextOfSameSize(set, past)) {
        if ((check.setsChecked & 0xffff) == 0 && cancel && cancel->load())
            return std::nullopt;
        ++check.setsChecked;
        bool met = false;
        for (const Mask game : games)
            if (std::popcount(game & set) >= problem.guarantee) {
                met = true;
                break;
            }
        if (!met && check.unserved++ == 0)
            check.firstUnserved = set;
    }
    return check;
}

} // namespace dezenario::wheel
