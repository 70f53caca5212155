#pragma once

#include "alignment.h"
#include "controls.h"

#include <QColor>
#include <QImage>
#include <QRectF>
#include <map>
#include <span>

class QPainter;

namespace dezenario {

// What lands on a page, painted onto any QPainter whose origin is the corner of the printable area
// and whose unit is the twip: the PDF for CUPS, a bitmap for the Windows spooler, or a screen. The
// slips and the test sheet place their marks through the same alignment, so neither can drift.
namespace PagePainter {

// The size of the mark at its stored density, in twips: the same on every printer.
QSizeF markSize(const QImage &mark);
// Where a mark that the table puts at `at` lands, the user's alignment applied, in twips.
QRectF markRect(const Alignment &alignment, MarkPosition at, QSizeF mark);

// The test sheet: a thin outline of the mark's size at every box, labelled with its number, the
// games named, a cross at the corner the positions count from, millimetre rulers along the top and
// the left, and the printer and the values in words.
void paintTestSheet(QPainter &painter, const Alignment &alignment, QSizeF mark,
                    const QString &printer);

// A slip as it comes out: its marks at their size over faint outlines of every box, as the
// preview shows it.
void paintSlip(QPainter &painter, const Alignment &alignment, const QImage &mark,
               std::span<const MarkPosition> marks);

// An outline of the mark's size at every box, thin, in the colour given, each labelled with its
// number below it if asked; gives what each game's outlines cover (game 0: the count boxes).
std::map<int, QRectF> paintOutlines(QPainter &painter, const Alignment &alignment, QSizeF mark,
                                    const QColor &colour, bool labelled);

} // namespace PagePainter
} // namespace dezenario
