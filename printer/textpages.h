#pragma once

#include <QList>
#include <QSizeF>
#include <QStringList>
#include <functional>

class QPagedPaintDevice;
class QPainter;

namespace dezenario {

// Pages of words for people, not slips: each page's head, a line each, and then its items in as
// many columns as fit; items that do not fit go on to a page of their own after it, under the
// head's first line.
struct TextPage
{
    QStringList head;
    QStringList items;
};

// Paints the pages onto the device, A4 or whatever it has; gives how many pages were painted.
int paintTextPages(QPagedPaintDevice &device, const QList<TextPage> &pages);
// The same with a painter over an area of so many dots an inch; newPage turns to a blank page.
int paintTextPages(QPainter &painter, QSizeF area, int dotsPerInch,
                   const std::function<void()> &newPage, const QList<TextPage> &pages);

// The system's default printer, as the user knows it; empty when it names none.
QString defaultPrinterName();
// Prints the pages on the printer named, on its default paper, as one job named title. The reason
// in words when they could not be printed; empty when the printing service took them.
QString printTextPages(const QString &printer, const QString &title, const QList<TextPage> &pages);

// Saves the pages as a PDF (Qt's PDF writer, A4). The reason in words when it could not be
// written; empty when it was.
QString saveTextPagesAsPdf(const QString &path, const QList<TextPage> &pages);

} // namespace dezenario
