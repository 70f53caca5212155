#include "constructions.h"
#include "groupcover.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <set>

namespace dezenario::wheel {

namespace {
// A finite field of q elements numbered 0..q-1, its sums and products in tables: GF(p^n) as the
// polynomials over GF(p) of degree below n, numbered by their coefficients in base p, lowest first,
// modulo x^n - (c_0 + c_1 x + ... + c_(n-1) x^(n-1)) for the given c (none: GF(p) itself).
struct Field
{
    int q;
    std::vector<int> sum, product;
};

Field field(int p, const std::vector<int> &c = {})
{
    const size_t n = std::max<size_t>(c.size(), 1);
    int q = 1;
    for (size_t i = 0; i < n; ++i)
        q *= p;
    Field f { q, std::vector<int>(size_t(q * q)), std::vector<int>(size_t(q * q)) };
    auto digits = [&](int x) {
        std::vector<int> d(n);
        for (int &digit : d)
            digit = x % p, x /= p;
        return d;
    };
    auto number = [&](const std::vector<int> &d) {
        int x = 0;
        for (size_t i = n; i-- > 0;)
            x = x * p + d[i] % p;
        return x;
    };
    for (int x = 0; x < q; ++x)
        for (int y = 0; y < q; ++y) {
            const std::vector<int> a = digits(x), b = digits(y);
            std::vector<int> s(n), m(2 * n);
            for (size_t i = 0; i < n; ++i) {
                s[i] = a[i] + b[i];
                for (size_t j = 0; j < n; ++j)
                    m[i + j] += a[i] * b[j];
            }
            for (size_t i = 2 * n - 1; i >= n && !c.empty(); --i) // x^i = x^(i-n) * sum c_j x^j
                for (size_t j = 0; j < n; ++j)
                    m[i - n + j] += m[i] % p * c[j];
            m.resize(n);
            f.sum[size_t(x * q + y)] = number(s);
            f.product[size_t(x * q + y)] = number(m);
        }
    return f;
}

// PGL(2, q) on the projective line GF(q) and infinity (numbered q): the maps
// z -> (az + b) / (cz + d) whose ad - bc is not 0; PSL(2, q) when `special`, those whose ad - bc is
// a square.
std::vector<Permutation> linearGroup(const Field &f, bool special)
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
                    if (det == 0 || (special && !square[size_t(det)]))
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

std::vector<Permutation> projectiveGroup(int q)
{
    switch (q) { // x^n = the polynomials below, all irreducible
    case 4:
        return linearGroup(field(2, { 1, 1 }), true);
    case 8:
        return linearGroup(field(2, { 1, 1, 0 }), true);
    case 9:
        return linearGroup(field(3, { 2, 0 }), true);
    case 16:
        return linearGroup(field(2, { 1, 1, 0, 0 }), true);
    case 25:
        return linearGroup(field(5, { 2, 0 }), true);
    case 27:
        return linearGroup(field(3, { 1, 1, 0 }), true);
    default:
        return linearGroup(field(q), true);
    }
}

std::vector<Mask> steiner3626()
{
    // GF(25) as a + b i with i^2 = 2 over GF(5), numbered 5b + a; GF(5) is 0..4, infinity 25.
    std::set<Mask> circles;
    for (const Permutation &p : linearGroup(field(5, { 2, 0 }), false)) {
        Mask circle = Mask(1) << p[25];
        for (int z = 0; z < 5; ++z)
            circle |= Mask(1) << p[size_t(z)];
        circles.insert(circle);
    }
    return std::vector<Mask>(circles.begin(), circles.end());
}

std::vector<Mask> steiner5624()
{
    return invariantSteiner(24, 6, 5, projectiveGroup(23));
}

std::vector<Mask> steiner4627()
{
    // The blocks of S(5, 7, 28) through infinity, without it.
    const Mask infinity = Mask(1) << 27;
    std::vector<Mask> derived;
    for (const Mask block : invariantSteiner(28, 7, 5, projectiveGroup(27)))
        if (block & infinity)
            derived.push_back(block & ~infinity);
    return derived;
}

} // namespace dezenario::wheel
