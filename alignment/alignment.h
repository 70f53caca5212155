#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>

namespace dezenario {

// How one printer takes a slip: the marks moved right and down, in millimetres, and stretched
// across and down, in percent, from the corner that their positions are counted from. A stretch
// moves each mark; the mark itself keeps its size.
struct Alignment
{
    double right = 0; // mm; negative moves left
    double down = 0; // mm; negative moves up
    double width = 100; // percent
    double height = 100;

    static constexpr double MaxShift = 50; // mm, either way
    static constexpr double MinStretch = 90;
    static constexpr double MaxStretch = 110;

    bool isIdentity() const { return *this == Alignment(); }
    bool inRange() const;
    // Where a point given in twips from the corner of the printable area lands, in twips.
    QPointF place(QPointF twips) const;
    // Why marks of the given size, whose top-left corners span corners, would not all lie within a
    // printable area of the given size (all in twips), with the most that still fits; empty when
    // they all do.
    QString misfit(const QRectF &corners, QSizeF mark, QSizeF printable) const;

    friend bool operator==(const Alignment &, const Alignment &) = default;
};

// A value as the user reads it, with one decimal, in the user's locale: "-12,5" in Brazil.
QString decimal(double value);
// The bounds of the values in words.
QString bounds();
// The values in words, as the test sheet prints them.
QString describe(const Alignment &alignment);

} // namespace dezenario
