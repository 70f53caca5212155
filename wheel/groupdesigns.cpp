#include "constructions.h"
#include "groupcover.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>

namespace dezenario::wheel {

namespace {
// A finite field of q elements numbered 0..q-1, its sums and products in tables: GF(p) for a prime
// p, or GF(27) as the polynomials over GF(3) of degree below 3, modulo x^3 - x - 1.
struct Field
{
    int q;
    std::vector<int> sum, product;
};

Field primeField(int p)
{
    Field f { p, std::vector<int>(size_t(p * p)), std::vector<int>(size_t(p * p)) };
    for (int x = 0; x < p; ++x)
        for (int y = 0; y < p; ++y) {
            f.sum[size_t(x * p + y)] = (x + y) % p;
            f.product[size_t(x * p + y)] = (x * y) % p;
        }
    return f;
}

Field gf27()
{
    Field f { 27, std::vector<int>(27 * 27), std::vector<int>(27 * 27) };
    auto digits = [](int x) { return std::array<int, 3> { x % 3, x / 3 % 3, x / 9 }; };
    for (int x = 0; x < 27; ++x)
        for (int y = 0; y < 27; ++y) {
            const auto a = digits(x), b = digits(y);
            std::array<int, 5> c {};
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 3; ++j)
                    c[size_t(i + j)] += a[size_t(i)] * b[size_t(j)];
            for (int i = 4; i >= 3; --i) { // x^i = x^(i-2) + x^(i-3)
                c[size_t(i - 2)] += c[size_t(i)];
                c[size_t(i - 3)] += c[size_t(i)];
            }
            f.product[size_t(x * 27 + y)] = c[0] % 3 + 3 * (c[1] % 3) + 9 * (c[2] % 3);
            f.sum[size_t(x * 27 + y)] =
                    (a[0] + b[0]) % 3 + 3 * ((a[1] + b[1]) % 3) + 9 * ((a[2] + b[2]) % 3);
        }
    return f;
}

// PSL(2, q) on the projective line GF(q) and infinity (numbered q): the maps
// z -> (az + b) / (cz + d) whose ad - bc is a square other than 0.
std::vector<Permutation> psl2(const Field &f)
{
    const int q = f.q;
    auto add = [&](int x, int y) { return f.sum[size_t(x * q + y)]; };
    auto mul = [&](int x, int y) { return f.product[size_t(x * q + y)]; };
    std::vector<int> inverse(size_t(q), 0), negative(size_t(q), 0);
    std::vector<bool> square(size_t(q), false);
    for (int x = 0; x < q; ++x)
        for (int y = 0; y < q; ++y) {
            inverse[size_t(x)] = mul(x, y) == 1 ? y : inverse[size_t(x)];
            negative[size_t(x)] = add(x, y) == 0 ? y : negative[size_t(x)];
            square[size_t(mul(x, y))] = square[size_t(mul(x, y))] || x == y;
        }
    std::vector<Permutation> group;
    for (int a = 0; a < q; ++a)
        for (int b = 0; b < q; ++b)
            for (int c = 0; c < q; ++c)
                for (int d = 0; d < q; ++d) {
                    const int det = add(mul(a, d), negative[size_t(mul(b, c))]);
                    if (det == 0 || !square[size_t(det)])
                        continue;
                    Permutation image(size_t(q + 1));
                    image[size_t(q)] = std::uint8_t(c == 0 ? q : mul(a, inverse[size_t(c)]));
                    for (int z = 0; z < q; ++z) {
                        const int den = add(mul(c, z), d);
                        image[size_t(z)] = std::uint8_t(
                                den == 0 ? q : mul(add(mul(a, z), b), inverse[size_t(den)]));
                    }
                    group.push_back(image);
                }
    std::sort(group.begin(), group.end());
    group.erase(std::unique(group.begin(), group.end()), group.end());
    return group;
}

// The Steiner system S(t, k, n) that the group leaves as it is, if there is one: whole orbits of
// k-sets such that each t-set lies in exactly one block (Kramer and Mesner's method: a 0/1 system
// over the orbits, solved here by backtracking, as it is small).
std::vector<Mask> invariantSteiner(int n, int k, int t, const std::vector<Permutation> &group)
{
    const std::vector<Mask> rows = orbitLeaders(n, t, group), columns = orbitLeaders(n, k, group);
    std::vector<std::vector<int>> meets(columns.size()); // the rows a column's orbit covers once
    for (size_t j = 0; j < columns.size(); ++j) {
        std::vector<int> count(rows.size(), 0);
        for (const Mask block : orbitOf(columns[j], group))
            for (size_t i = 0; i < rows.size(); ++i)
                count[i] += (rows[i] & ~block) == 0;
        if (std::any_of(count.begin(), count.end(), [](int c) { return c > 1; }))
            continue; // some t-set twice: never in a Steiner system
        for (size_t i = 0; i < rows.size(); ++i)
            if (count[i])
                meets[j].push_back(int(i));
    }
    std::vector<bool> covered(rows.size(), false);
    std::vector<size_t> chosen;
    const std::function<bool()> solve = [&] {
        const auto open = std::find(covered.begin(), covered.end(), false);
        if (open == covered.end())
            return true;
        const int row = int(open - covered.begin());
        for (size_t j = 0; j < columns.size(); ++j) {
            const std::vector<int> &m = meets[j];
            if (std::find(m.begin(), m.end(), row) == m.end()
                || std::any_of(m.begin(), m.end(), [&](int i) { return covered[size_t(i)]; }))
                continue;
            for (const int i : m)
                covered[size_t(i)] = true;
            chosen.push_back(j);
            if (solve())
                return true;
            chosen.pop_back();
            for (const int i : m)
                covered[size_t(i)] = false;
        }
        return false;
    };
    std::vector<Mask> blocks;
    if (solve())
        for (const size_t j : chosen)
            for (const Mask block : orbitOf(columns[j], group))
                blocks.push_back(block);
    return blocks;
}
} // namespace

std::vector<Permutation> projectiveGroup(int p)
{
    return psl2(primeField(p));
}

std::vector<Mask> steiner5624()
{
    return invariantSteiner(24, 6, 5, psl2(primeField(23)));
}

std::vector<Mask> steiner4627()
{
    // The blocks of S(5, 7, 28) through infinity, without it.
    const Mask infinity = Mask(1) << 27;
    std::vector<Mask> derived;
    for (const Mask block : invariantSteiner(28, 7, 5, psl2(gf27())))
        if (block & infinity)
            derived.push_back(block & ~infinity);
    return derived;
}

} // namespace dezenario::wheel
