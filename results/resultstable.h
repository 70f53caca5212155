#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace dezenario {

// A results file as rows of cells, whatever its form: the lottery's XLSX, its older HTML table,
// alone or in the ZIP that held it, or a CSV a spreadsheet saved with ";" or ",".
struct ResultsCell
{
    QString text;
    bool number = false; // a spreadsheet's number, written as C writes it ("79084.35", "4.5E3")
};
struct ResultsRow
{
    int line = 0; // as the user finds it: the sheet's row, the table's row, the CSV's line
    QList<ResultsCell> cells;
};
using ResultsTable = QList<ResultsRow>;

// No results file comes near this size; a larger one is none, and is refused unread.
constexpr qint64 LargestResultsFile = 64 << 20;

// Throws CommandError naming what is wrong: a ZIP or XLSX cut short or damaged, one without the
// sheet or the page, a file far larger than any results file.
ResultsTable readResultsTable(const QByteArray &file);

// Each form alone, for the tests and the benchmark.
ResultsTable readXlsx(const QByteArray &file);
ResultsTable readHtml(const QByteArray &page);
ResultsTable readCsv(const QByteArray &text);

} // namespace dezenario
