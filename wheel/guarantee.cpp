#include "guarantee.h"

#include <algorithm>

namespace dezenario::wheel {

namespace {
// The sets of m of the v numbers, numbered in lexicographic order, each marked once a game meets
// it in t numbers or more. The search numbers the sets in another order and finds them its own
// way: this walk shares nothing with it but the masks, so that a fault of one cannot hide in the
// other. Each game costs the sets it meets, not all of them.
class Marks
{
public:
    explicit Marks(const WheelProblem &problem)
        : m_v(problem.chosen), m_m(problem.condition), m_t(problem.guarantee)
    {
        // below[i][a]: the sets whose number at place i is below a, all else after it free, from
        // 0 on; the sets between two numbers at a place are the difference.
        m_below.assign(size_t(m_m), std::vector<std::uint64_t>(size_t(m_v) + 1, 0));
        for (int i = 0; i < m_m; ++i)
            for (int a = 1; a <= m_v; ++a)
                m_below[size_t(i)][size_t(a)] =
                        m_below[size_t(i)][size_t(a - 1)] + binomial(m_v - a, m_m - 1 - i);
        m_marked.assign(size_t(binomial(m_v, m_m)), false);
    }
    void mark(Mask game) { walk(game, 0, 0, 0, std::popcount(game), -1, 0); }
    const std::vector<bool> &marked() const { return m_marked; }

private:
    // The numbers from next on are still to be taken or left: size are taken, the last of them
    // last, inside of them the game's; left of the game's numbers are still to come.
    void walk(Mask game, int next, int size, int inside, int left, int last, std::uint64_t number)
    {
        if (size == m_m) {
            if (inside >= m_t)
                m_marked[size_t(number)] = true;
            return;
        }
        if (m_v - next < m_m - size || inside + std::min(left, m_m - size) < m_t)
            return;
        const int ofGame = int(game >> next & 1);
        const std::vector<std::uint64_t> &below = m_below[size_t(size)];
        walk(game, next + 1, size + 1, inside + ofGame, left - ofGame, next,
             number + below[size_t(next)] - below[size_t(last + 1)]);
        walk(game, next + 1, size, inside, left - ofGame, last, number);
    }

    int m_v, m_m, m_t;
    std::vector<std::vector<std::uint64_t>> m_below;
    std::vector<bool> m_marked;
};
} // namespace

std::optional<GuaranteeCheck> checkGuarantee(const WheelProblem &problem,
                                             const std::vector<Mask> &games,
                                             const std::atomic<bool> *cancel)
{
    GuaranteeCheck check;
    const Mask all = lowest(problem.chosen);
    Marks marks(problem);
    for (size_t g = 0; g < games.size(); ++g) {
        if ((g & 0xff) == 0 && cancel && cancel->load())
            return std::nullopt;
        if (std::popcount(games[g]) != problem.perGame || (games[g] & ~all))
            check.wellFormed = false;
        marks.mark(games[g] & all);
    }
    // Every set, in order; the first one left is named by its numbers.
    const std::vector<bool> &marked = marks.marked();
    check.setsChecked = marked.size();
    const auto first = std::find(marked.begin(), marked.end(), false);
    check.unserved = std::uint64_t(std::count(first, marked.end(), false));
    if (first != marked.end()) {
        // The set of that lexicographic number, found number by number.
        std::uint64_t number = std::uint64_t(first - marked.begin());
        for (int n = 0, place = 0; place < problem.condition; ++n) {
            const std::uint64_t after =
                    binomial(problem.chosen - 1 - n, problem.condition - 1 - place);
            if (number < after) {
                check.firstUnserved |= Mask(1) << n;
                ++place;
            } else {
                number -= after;
            }
        }
    }
    return check;
}

} // namespace dezenario::wheel
