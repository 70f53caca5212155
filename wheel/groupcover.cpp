#include "groupcover.h"

#include "searchchain.h"

#include <algorithm>
#include <numeric>
#include <set>

namespace dezenario::wheel {

std::vector<Permutation> groupOf(int n, const std::vector<Permutation> &generators)
{
    Permutation identity(static_cast<size_t>(n));
    std::iota(identity.begin(), identity.end(), std::uint8_t(0));
    std::set<Permutation> seen { identity };
    std::vector<Permutation> group { identity };
    for (size_t i = 0; i < group.size(); ++i) // each element times each generator, breadth first
        for (const Permutation &g : generators) {
            Permutation product(static_cast<size_t>(n));
            for (size_t x = 0; x < size_t(n); ++x)
                product[x] = g[group[i][x]];
            if (seen.insert(product).second)
                group.push_back(std::move(product));
        }
    return group;
}

std::vector<Permutation> affineGroup(int m, int copies, int multiplier, int fixed)
{
    const int n = m * copies + fixed;
    Permutation shift(static_cast<size_t>(n)), times(static_cast<size_t>(n));
    for (int x = 0; x < n; ++x) {
        const bool moves = x < m * copies;
        const int run = x / m * m, place = x % m;
        shift[size_t(x)] = std::uint8_t(moves ? run + (place + 1) % m : x);
        times[size_t(x)] = std::uint8_t(moves ? run + place * multiplier % m : x);
    }
    return groupOf(n, { shift, times });
}

std::vector<Permutation> shiftGroup(const std::vector<int> &orders, int fixed)
{
    int moved = 1;
    for (const int m : orders)
        moved *= m;
    std::vector<Permutation> generators;
    for (int place = 0, step = 1; place < int(orders.size()); step *= orders[size_t(place++)]) {
        const int m = orders[size_t(place)];
        Permutation shift(static_cast<size_t>(moved + fixed));
        for (int x = 0; x < moved + fixed; ++x) {
            const int digit = x / step % m;
            shift[size_t(x)] = std::uint8_t(x < moved ? x + ((digit + 1) % m - digit) * step : x);
        }
        generators.push_back(std::move(shift));
    }
    return groupOf(moved + fixed, generators);
}

Mask imageOf(Mask set, const Permutation &p)
{
    Mask image = 0;
    for (; set; set &= set - 1)
        image |= Mask(1) << p[size_t(std::countr_zero(set))];
    return image;
}

std::vector<Mask> orbitOf(Mask set, const std::vector<Permutation> &group)
{
    std::vector<Mask> orbit;
    orbit.reserve(group.size());
    for (const Permutation &p : group)
        orbit.push_back(imageOf(set, p));
    std::sort(orbit.begin(), orbit.end());
    orbit.erase(std::unique(orbit.begin(), orbit.end()), orbit.end());
    return orbit;
}

std::vector<Mask> orbitLeaders(int n, int size, const std::vector<Permutation> &group,
                               std::vector<std::int32_t> *orbitOfRank)
{
    std::vector<std::int32_t> orbit(size_t(binomial(n, size)), -1);
    std::vector<Mask> leaders;
    forEachSubset(lowest(n), size, [&](Mask set) {
        if (orbit[size_t(rankOf(set))] >= 0)
            return;
        for (const Permutation &p : group)
            orbit[size_t(rankOf(imageOf(set, p)))] = std::int32_t(leaders.size());
        leaders.push_back(set);
    });
    if (orbitOfRank)
        *orbitOfRank = std::move(orbit);
    return leaders;
}

namespace {
// The orbits of t-sets (rows) and of games (columns), what each column costs in games and which
// rows it covers: a set cover with costs, solved by a search that weighs the rows it keeps
// leaving uncovered (after Gao, Weise and Li's row weighting for set covering).
class OrbitCover
{
public:
    OrbitCover(int n, int k, int t, const std::vector<Permutation> &group, std::uint64_t seed)
        : m_random(seed)
    {
        std::vector<std::int32_t> rowOf;
        m_rows = orbitLeaders(n, t, group, &rowOf).size();
        m_columns = orbitLeaders(n, k, group, nullptr);
        m_byRow.resize(m_rows);
        for (size_t j = 0; j < m_columns.size(); ++j) {
            const std::vector<Mask> orbit = orbitOf(m_columns[j], group);
            m_cost.push_back(std::int64_t(orbit.size()));
            std::vector<std::int32_t> rows;
            for (const Mask game : orbit)
                forEachSubset(game, t,
                              [&](Mask set) { rows.push_back(rowOf[size_t(rankOf(set))]); });
            std::sort(rows.begin(), rows.end());
            rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
            for (const std::int32_t row : rows)
                m_byRow[size_t(row)].push_back(std::int32_t(j));
            m_covers.push_back(std::move(rows));
        }
        m_count.assign(m_rows, 0);
        m_size.assign(m_rows, 0);
        for (const std::int32_t row : rowOf)
            ++m_size[size_t(row)];
        m_openSets = std::int64_t(rowOf.size());
        m_placeOpen.resize(m_rows);
        for (size_t r = 0; r < m_rows; ++r)
            m_placeOpen[r] = std::int32_t(r), m_open.push_back(std::int32_t(r));
        m_weight.assign(m_rows, 1);
        m_chosen.assign(m_columns.size(), false);
        m_since.assign(m_columns.size(), 0);
        m_free.assign(m_columns.size(), true);
    }

    std::vector<Mask> run(std::int64_t effort, const std::vector<Permutation> &group,
                          std::int64_t budget)
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
                dropCheapest(step); // now one orbit short, look for a covering again
                continue;
            }
            // While an orbit more would cost as much as the best, drop one first.
            const size_t row = size_t(m_open[m_random.below(m_open.size())]);
            while (bestCost >= 0 && m_total + cheapestFor(row) >= bestCost && dropCheapest(step)) {}
            addBestFor(row, step);
            for (const std::int32_t r : m_open)
                ++m_weight[size_t(r)];
            m_spent += std::int64_t(m_open.size());
        }
        std::vector<Mask> games;
        for (size_t j = 0; j < best.size(); ++j)
            if (best[j])
                for (const Mask game : orbitOf(m_columns[j], group))
                    games.push_back(game);
        return games;
    }

private:
    std::int64_t cheapestFor(size_t row) const
    {
        std::int64_t least = -1;
        for (const std::int32_t j : m_byRow[row])
            if (least < 0 || m_cost[size_t(j)] < least)
                least = m_cost[size_t(j)];
        return least;
    }
    void set(size_t column, bool chosen, std::int64_t step)
    {
        m_chosen[column] = chosen;
        m_since[column] = step;
        m_total += chosen ? m_cost[column] : -m_cost[column];
        // An orbit dropped may come back only once an orbit that meets it came or went: the
        // search does not go round in the same few states (configuration checking).
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
            if (chosen
                && m_count[row]++ == 0) { // no longer open: the last open row takes its place
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
    std::int64_t weightCoveredTimes(size_t column, std::int32_t times)
    {
        std::int64_t weight = 0;
        for (const std::int32_t r : m_covers[column])
            weight += m_count[size_t(r)] == times ? m_weight[size_t(r)] : 0;
        m_spent += std::int64_t(m_covers[column].size());
        return weight;
    }
    // Drops the chosen orbit whose rows, covered by it alone, weigh least for each game it costs;
    // not the one just added. False when none is chosen.
    bool dropCheapest(std::int64_t step)
    {
        double least = 0;
        size_t which = m_columns.size();
        for (const std::int32_t column : m_list) {
            const size_t j = size_t(column);
            if (m_since[j] == step)
                continue;
            const double loss = double(weightCoveredTimes(j, 1)) / double(m_cost[j]);
            if (which == m_columns.size() || loss < least
                || (loss == least && m_since[j] < m_since[which]))
                least = loss, which = j;
        }
        if (which == m_columns.size())
            return false;
        set(which, false, step);
        return true;
    }
    // Adds, of the orbits that cover the row, the one that covers most weight for each game it
    // costs; not one that may not come back yet.
    void addBestFor(size_t row, std::int64_t step)
    {
        double most = -1;
        size_t which = m_columns.size();
        for (const std::int32_t column : m_byRow[row]) {
            const size_t j = size_t(column);
            if (m_chosen[j] || !m_free[j])
                continue;
            const double gain = double(weightCoveredTimes(j, 0)) / double(m_cost[j]);
            if (gain > most || (gain == most && m_since[j] < m_since[which]))
                most = gain, which = j;
        }
        if (which == m_columns.size()) // every orbit of the row waits: any of them
            which = size_t(m_byRow[row][m_random.below(m_byRow[row].size())]);
        if (!m_chosen[which])
            set(which, true, step);
    }

    Random m_random;
    size_t m_rows = 0;
    std::vector<Mask> m_columns;
    std::vector<std::int64_t> m_cost;
    std::vector<std::vector<std::int32_t>> m_covers, m_byRow;
    std::vector<std::int32_t> m_count, m_open, m_placeOpen, m_list; // m_list: the chosen
    std::vector<std::int64_t> m_weight, m_since;
    std::vector<bool> m_chosen, m_free; // m_free: may be added
    std::vector<std::int64_t> m_size; // the t-sets of each row
    std::int64_t m_total = 0, m_spent = 0, m_openSets = 0; // m_openSets: the t-sets uncovered
};
} // namespace

std::vector<Mask> invariantCovering(int n, int k, int t, const std::vector<Permutation> &group,
                                    std::int64_t effort, std::uint64_t seed, std::int64_t budget)
{
    return OrbitCover(n, k, t, group, seed).run(effort, group, budget);
}

} // namespace dezenario::wheel
