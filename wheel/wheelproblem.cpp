#include "wheelproblem.h"

#include <algorithm>

namespace dezenario::wheel {

std::uint64_t WheelProblem::setsOneGameServes() const
{
    std::uint64_t served = 0;
    for (int j = guarantee; j <= std::min(perGame, condition); ++j)
        served += binomial(perGame, j) * binomial(chosen - perGame, condition - j);
    return served;
}

std::uint64_t schoenheim(int v, int k, int t)
{
    std::uint64_t bound = 1;
    for (int i = t - 1; i >= 0; --i) {
        const std::uint64_t n = std::uint64_t(v - i), d = std::uint64_t(k - i);
        bound = (n * bound + d - 1) / d;
    }
    return bound;
}

std::uint64_t lowerBound(const WheelProblem &problem)
{
    const std::uint64_t served = problem.setsOneGameServes();
    std::uint64_t bound = served ? (problem.sets() + served - 1) / served : 0;
    if (problem.condition == problem.guarantee)
        bound = std::max(bound, schoenheim(problem.chosen, problem.perGame, problem.guarantee));
    return bound;
}

std::vector<std::vector<int>> numbersOf(const std::vector<Mask> &games,
                                        const std::vector<int> &chosen)
{
    std::vector<std::vector<int>> numbers;
    numbers.reserve(games.size());
    for (Mask game : games) {
        std::vector<int> &row = numbers.emplace_back();
        for (; game; game &= game - 1)
            row.push_back(chosen[size_t(std::countr_zero(game))]);
    }
    return numbers;
}

} // namespace dezenario::wheel
