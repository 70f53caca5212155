#pragma once

#include "contest.h"
#include "resultstable.h"

#include <optional>

namespace dezenario {

// The contests of a results file in any of its forms, in the order of their numbers. Columns are
// found by their names, whatever their case, accents, spacing or place; others are skipped; rows
// that carry only a city belong to the contest above. Throws CommandError naming the row and the
// column of the first fault: no results file, a contest with fewer than six numbers, a number
// outside 01 to 60 or twice, a contest twice with other numbers, a date or an amount unreadable.
QList<Contest> readResults(const QByteArray &file);
QList<Contest> contestsOf(const ResultsTable &table);

// A column's name as compared: no case, accents, blanks or marks ("Bola 1", "1ª Dezena" → "bola1",
// "1dezena").
QString columnKey(const QString &name);

// An amount in centavos, as a spreadsheet's number or as text the Brazilian way
// ("R$181.892.881,09", "79.084,35", "1278.73"); nullopt when it cannot be read. Rounded to the
// centavo, in integers.
std::optional<qint64> centavosOf(const ResultsCell &cell);
// A whole count ("3269", "3.269", 37 as a number); nullopt when it cannot be read.
std::optional<qint64> countOf(const ResultsCell &cell);
// A date as dd/mm/yyyy, yyyy-mm-dd, or a spreadsheet's day number; invalid when unreadable.
QDate dateOf(const ResultsCell &cell);

} // namespace dezenario
