#include "constructions.h"

#include <algorithm>
#include <array>
#include <set>

namespace dezenario::wheel {

namespace {
// The span of the generator's shifts over GF(p), word by word; weight is the count of places not 0.
template<int Length, int Dimension, typename Visit>
void forEachCodeword(int p, const std::vector<int> &generator, Visit visit)
{
    std::array<int, Dimension> digits {};
    for (;;) {
        std::array<int, Length> word {};
        for (int i = 0; i < Dimension; ++i)
            for (size_t j = 0; j < generator.size(); ++j)
                word[(size_t(i) + j) % Length] += digits[size_t(i)] * generator[j];
        for (int &x : word)
            x = ((x % p) + p) % p;
        visit(word);
        int i = 0;
        while (i < Dimension && ++digits[size_t(i)] == p)
            digits[size_t(i++)] = 0;
        if (i == Dimension)
            return;
    }
}

std::vector<Mask> distinct(std::set<Mask> blocks)
{
    return std::vector<Mask>(blocks.begin(), blocks.end());
}
} // namespace

std::vector<Mask> steiner5612()
{
    // The cyclic [11, 6] ternary Golay code, g(x) = x^5 + x^4 - x^3 + x^2 - 1, and a parity place.
    std::set<Mask> blocks;
    forEachCodeword<11, 6>(3, { -1, 0, 1, -1, 1, 1 }, [&](const std::array<int, 11> &word) {
        int sum = 0;
        Mask support = 0;
        for (int i = 0; i < 11; ++i) {
            sum += word[size_t(i)];
            support |= Mask(word[size_t(i)] != 0) << i;
        }
        support |= Mask(sum % 3 != 0) << 11;
        if (std::popcount(support) == 6)
            blocks.insert(support);
    });
    return distinct(blocks);
}

std::vector<Mask> steiner3622()
{
    // The cyclic [23, 12] binary Golay code, g(x) = x^11 + x^9 + x^7 + x^6 + x^5 + x + 1, and a
    // parity place; the octads through places 22 and 23.
    std::set<Mask> blocks;
    forEachCodeword<23, 12>(2, { 1, 1, 0, 0, 0, 1, 1, 1, 0, 1, 0, 1 },
                            [&](const std::array<int, 23> &word) {
                                Mask octad = 0;
                                for (int i = 0; i < 23; ++i)
                                    octad |= Mask(word[size_t(i)]) << i;
                                octad |= Mask(std::popcount(octad) % 2) << 23;
                                const Mask ends = Mask(3) << 22;
                                if (std::popcount(octad) == 8 && (octad & ends) == ends)
                                    blocks.insert(octad & ~ends);
                            });
    return distinct(blocks);
}

std::vector<Mask> oneNumberMore(const std::vector<Mask> &covering, const std::vector<Mask> &smaller,
                                int v)
{
    std::set<Mask> blocks(covering.begin(), covering.end());
    for (const Mask game : smaller)
        blocks.insert(game | Mask(1) << v);
    return distinct(blocks);
}

} // namespace dezenario::wheel
