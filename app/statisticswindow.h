#pragma once

#include "acrosscheck.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QStandardItemModel;
class QTableView;

namespace dezenario {

// A bar a number, 01 to 60, as tall as its draws; the numbers marked stand out in another colour
// and with a dot under them. Painted, not charted: sixty bars need nothing more.
class BarChart : public QWidget
{
public:
    explicit BarChart(QWidget *parent);
    void show(const std::array<NumberCount, 61> &counts, quint64 marked);
    // Where the bar of a number may reach, in the widget.
    QRect barSpace(int number) const;
    QSize minimumSizeHint() const override { return { 600, 220 }; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::array<NumberCount, 61> m_counts {};
    quint64 m_marked = 0;
};

// ESTATÍSTICAS: how often each number came out in a range of the contests kept, and how long ago,
// as bars and as a table to copy; the numbers of the text marked.
class StatisticsWindow : public QDialog
{
    Q_OBJECT
public:
    StatisticsWindow(QList<Contest> kept, quint64 marked, QWidget *parent);

private:
    void showRange();

    QList<Contest> m_kept;
    quint64 m_marked;
    QLineEdit *m_first, *m_last;
    QLabel *m_summary;
    BarChart *m_chart;
    QStandardItemModel *m_table;
    QTableView *m_tableView = nullptr;
};

} // namespace dezenario
