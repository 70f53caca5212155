#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace dezenario::wheel {

// A game, or any set of the chosen numbers: bit i stands for the (i + 1)-th number chosen, so a
// wheel is worked out on 1..v whatever numbers the player chose.
using Mask = std::uint64_t;

inline constexpr int MostChosen = 30;

// C(n, k) for n up to 64, exact: C(64, 32) still fits in 64 bits.
inline constexpr auto binomials = [] {
    std::array<std::array<std::uint64_t, 65>, 65> table {};
    for (int n = 0; n <= 64; ++n) {
        table[n][0] = 1;
        for (int k = 1; k <= n; ++k)
            table[n][k] = table[n - 1][k - 1] + (k <= n - 1 ? table[n - 1][k] : 0);
    }
    return table;
}();

constexpr std::uint64_t binomial(int n, int k)
{
    return k < 0 || n < 0 || k > n ? 0 : binomials[std::size_t(n)][std::size_t(k)];
}

// A set's place among the sets of its size, in the combinatorial number system: the sets of m of
// v numbers are numbered 0 to C(v, m) - 1 without a gap, so a table of them needs no hash.
inline std::uint64_t rankOf(Mask set)
{
    std::uint64_t rank = 0;
    for (int i = 1; set; ++i, set &= set - 1)
        rank += binomials[std::size_t(std::countr_zero(set))][std::size_t(i)];
    return rank;
}

// The mask with the lowest n bits set.
constexpr Mask lowest(int n)
{
    return n >= 64 ? ~Mask(0) : (Mask(1) << n) - 1;
}

// The next mask with as many bits set, in increasing order (Gosper's hack); 0 past the last below
// the limit.
inline Mask nextOfSameSize(Mask set, Mask limit)
{
    const Mask lowestBit = set & -set;
    const Mask ripple = set + lowestBit;
    const Mask next = ripple | (((set ^ ripple) >> 2) / lowestBit);
    return next < limit && ripple != 0 ? next : 0;
}

} // namespace dezenario::wheel

namespace dezenario::wheel {

// Calls visit with every subset of size elements of from.
template<typename Visit>
void forEachSubset(Mask from, int size, Visit visit)
{
    if (size == 0) {
        visit(Mask(0));
        return;
    }
    int places[64];
    int n = 0;
    for (Mask rest = from; rest; rest &= rest - 1)
        places[n++] = std::countr_zero(rest);
    if (size < 0 || size > n)
        return;
    for (Mask pick = lowest(size); pick; pick = nextOfSameSize(pick, Mask(1) << n)) {
        Mask subset = 0;
        for (Mask bits = pick; bits; bits &= bits - 1)
            subset |= Mask(1) << places[std::countr_zero(bits)];
        visit(subset);
    }
}

} // namespace dezenario::wheel
