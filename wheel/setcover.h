#pragma once

#include "searchchain.h"

#include <cstdint>
#include <vector>

namespace dezenario::wheel {

// A set cover with costs: columns, each covering some rows at a cost, and rows that stand for so
// many sets each. Solved by a search that weighs the rows it keeps leaving uncovered (after Gao,
// Weise and Li's row weighting for set covering), with configuration checking: a column dropped
// comes back only once a column that meets it came or went.
class SetCover
{
public:
    // covers: the rows of each column, each once; cost: each column's; size: each row's sets.
    SetCover(std::vector<std::vector<std::int32_t>> covers, std::vector<std::int64_t> cost,
             std::vector<std::int64_t> size, std::uint64_t seed);

    // The columns of the cheapest covering found for so much effort (none found: none chosen).
    // With a budget, it keeps within it, and where no covering fits, gives the columns that leave
    // the fewest sets uncovered.
    std::vector<bool> run(std::int64_t effort, std::int64_t budget = 0);

private:
    std::int64_t cheapestFor(size_t row) const;
    void set(size_t column, bool chosen, std::int64_t step);
    std::int64_t weightCoveredTimes(size_t column, std::int32_t times);
    bool dropCheapest(std::int64_t step);
    void addBestFor(size_t row, std::int64_t step);

    Random m_random;
    std::vector<std::vector<std::int32_t>> m_covers, m_byRow;
    std::vector<std::int64_t> m_cost;
    std::vector<std::int64_t> m_size; // the sets of each row
    std::vector<std::int32_t> m_count, m_open, m_placeOpen, m_list; // m_list: the chosen
    std::vector<std::int64_t> m_weight, m_since;
    std::vector<bool> m_chosen, m_free; // m_free: may be added
    std::int64_t m_total = 0, m_spent = 0, m_openSets = 0; // m_openSets: the sets uncovered
};

} // namespace dezenario::wheel
