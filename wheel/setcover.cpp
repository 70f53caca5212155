#include "setcover.h"

#include <algorithm>

namespace dezenario::wheel {

SetCover::SetCover(std::vector<std::vector<std::int32_t>> covers, std::vector<std::int64_t> cost,
                   std::vector<std::int64_t> size, std::uint64_t seed)
    : m_random(seed),
      m_covers(std::move(covers)),
      m_byRow(size.size()),
      m_cost(std::move(cost)),
      m_size(std::move(size))
{
    for (size_t j = 0; j < m_covers.size(); ++j)
        for (const std::int32_t row : m_covers[j])
            m_byRow[size_t(row)].push_back(std::int32_t(j));
    const size_t rows = m_size.size(), columns = m_covers.size();
    m_count.assign(rows, 0);
    for (size_t r = 0; r < rows; ++r) {
        m_openSets += m_size[r];
        m_placeOpen.push_back(std::int32_t(r));
        m_open.push_back(std::int32_t(r));
    }
    m_weight.assign(rows, 1);
    m_chosen.assign(columns, false);
    m_since.assign(columns, 0);
    m_free.assign(columns, true);
}

std::vector<bool> SetCover::run(std::int64_t effort, std::int64_t budget)
{
    std::int64_t bestCost = budget > 0 ? budget + 1 : -1, fewestLeft = -1;
    std::vector<bool> best;
    for (std::int64_t step = 1; m_spent < effort; ++step) {
        if (budget > 0 && fewestLeft != 0 && m_total <= budget
            && (fewestLeft < 0 || m_openSets < fewestLeft))
            fewestLeft = m_openSets, best = m_chosen; // within the budget, nearest a covering
        if (m_open.empty()) {
            if (bestCost < 0 || m_total < bestCost)
                bestCost = m_total, best = m_chosen, fewestLeft = 0;
            dropCheapest(step); // now one column short, look for a covering again
            continue;
        }
        // While a column more would cost as much as the best, drop one first.
        const size_t row = size_t(m_open[m_random.below(m_open.size())]);
        while (bestCost >= 0 && m_total + cheapestFor(row) >= bestCost && dropCheapest(step)) {}
        addBestFor(row, step);
        for (const std::int32_t r : m_open)
            ++m_weight[size_t(r)];
        m_spent += std::int64_t(m_open.size());
    }
    return best;
}

std::int64_t SetCover::cheapestFor(size_t row) const
{
    std::int64_t least = -1;
    for (const std::int32_t j : m_byRow[row])
        if (least < 0 || m_cost[size_t(j)] < least)
            least = m_cost[size_t(j)];
    return least;
}

void SetCover::set(size_t column, bool chosen, std::int64_t step)
{
    m_chosen[column] = chosen;
    m_since[column] = step;
    m_total += chosen ? m_cost[column] : -m_cost[column];
    // A column dropped may come back only once a column that meets it came or went: the search
    // does not go round in the same few states (configuration checking).
    for (const std::int32_t r : m_covers[column])
        for (const std::int32_t other : m_byRow[size_t(r)])
            m_free[size_t(other)] = true;
    m_free[column] = chosen;
    if (chosen)
        m_list.push_back(std::int32_t(column));
    else
        m_list.erase(std::find(m_list.begin(), m_list.end(), std::int32_t(column)));
    for (const std::int32_t r : m_covers[column]) {
        const size_t row = size_t(r);
        m_openSets += chosen && m_count[row] == 0 ? -m_size[row]
                : !chosen && m_count[row] == 1    ? m_size[row]
                                                  : 0;
        if (chosen && m_count[row]++ == 0) { // no longer open: the last open row takes its place
            m_placeOpen[size_t(m_open.back())] = m_placeOpen[row];
            m_open[size_t(m_placeOpen[row])] = m_open.back();
            m_open.pop_back();
        } else if (!chosen && --m_count[row] == 0) {
            m_placeOpen[row] = std::int32_t(m_open.size());
            m_open.push_back(r);
        }
    }
    m_spent += std::int64_t(m_covers[column].size());
}
// The weight of the column's rows that are covered so many times: 0, those it would cover
// anew; 1, those it alone covers.
std::int64_t SetCover::weightCoveredTimes(size_t column, std::int32_t times)
{
    std::int64_t weight = 0;
    for (const std::int32_t r : m_covers[column])
        weight += m_count[size_t(r)] == times ? m_weight[size_t(r)] : 0;
    m_spent += std::int64_t(m_covers[column].size());
    return weight;
}
// Drops the chosen orbit whose rows, covered by it alone, weigh least for each game it costs;
// not the one just added. False when none is chosen.
bool SetCover::dropCheapest(std::int64_t step)
{
    double least = 0;
    size_t which = m_covers.size();
    for (const std::int32_t column : m_list) {
        const size_t j = size_t(column);
        if (m_since[j] == step)
            continue;
        const double loss = double(weightCoveredTimes(j, 1)) / double(m_cost[j]);
        if (which == m_covers.size() || loss < least
            || (loss == least && m_since[j] < m_since[which]))
            least = loss, which = j;
    }
    if (which == m_covers.size())
        return false;
    set(which, false, step);
    return true;
}
// Adds, of the orbits that cover the row, the one that covers most weight for each game it
// costs; not one that may not come back yet.
void SetCover::addBestFor(size_t row, std::int64_t step)
{
    double most = -1;
    size_t which = m_covers.size();
    for (const std::int32_t column : m_byRow[row]) {
        const size_t j = size_t(column);
        if (m_chosen[j] || !m_free[j])
            continue;
        const double gain = double(weightCoveredTimes(j, 0)) / double(m_cost[j]);
        if (gain > most || (gain == most && m_since[j] < m_since[which]))
            most = gain, which = j;
    }
    if (which == m_covers.size()) // every orbit of the row waits: any of them
        which = size_t(m_byRow[row][m_random.below(m_byRow[row].size())]);
    if (!m_chosen[which])
        set(which, true, step);
}

} // namespace dezenario::wheel
