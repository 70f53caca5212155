#pragma once

#include <QDate>
#include <QList>
#include <array>

namespace dezenario {

// One contest as the lottery's results file gives it; amounts in whole centavos.
struct Contest
{
    int number = 0;
    QDate date;
    std::array<quint8, 6> numbers {}; // ascending
    // Per tier, sena, quina and quadra: the winners, and the prize paid to each; -1 where the
    // file gives none. A tier without winners has no prize, whatever the file writes there.
    std::array<qint64, 3> winners { -1, -1, -1 };
    std::array<qint64, 3> prize { -1, -1, -1 };

    quint64 mask() const; // bit n set for each number drawn
    friend bool operator==(const Contest &, const Contest &) = default;
};

// The tier of j hits, for j = 6, 5 and 4.
constexpr size_t tierOf(int hits)
{
    return size_t(6 - hits);
}

} // namespace dezenario
