#pragma once

#include <QList>
#include <QStringList>

class QPagedPaintDevice;

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

// Saves the pages as a PDF (Qt's PDF writer, A4). The reason in words when it could not be
// written; empty when it was.
QString saveTextPagesAsPdf(const QString &path, const QList<TextPage> &pages);

} // namespace dezenario
