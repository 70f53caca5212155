#pragma once

#include "controls.h"

#include <QByteArray>
#include <QImage>
#include <QPageLayout>
#include <functional>
#include <utility>
#include <vector>

namespace dezenario {

// The system's default printer. A run's marks are only recorded, page by page;
// the printer is opened at endDocument, which paints every page in one go. A
// run that fails on the way has then sent nothing to the printing service, on
// a system whose print jobs start as soon as painting begins too (Windows).
// Each page is laid out on the printer's own default paper, in its default
// orientation, from the corner of its printable area, unscaled.
//
// What differs between the systems is in one file each: qtprinter_cups.cpp
// (the CUPS destination, its PPD, a PDF handed to CUPS) and qtprinter_win.cpp
// (the spooler's default printer, through GDI).
class QtPrinter : public Printer
{
public:
    explicit QtPrinter(QImage mark);

    void ensureAvailable() override;
    void paintPicture(MarkPosition at) override;
    void endPage() override;
    void endDocument() override;
    void discardDocument() override;

private:
    // Opens the printer, paints the recorded pages and hands them over; throws
    // CommandError when it cannot.
    void deliver();
    // Goes through the recorded pages at the printer's own resolution: calls
    // newPage between two pages, and paint with each mark's place in whole
    // device dots. False when newPage fails.
    bool paintPages(QSizeF dotsPerInch, const std::function<bool()> &newPage,
                    const std::function<void(const QRect &)> &paint) const;

    QImage m_mark;
    QString m_name; // as the user knows the printer
    QPageLayout m_layout; // the paper and printable area, where the system must say them
    // CUPS: the paper and orientation m_layout was made for, which the job names.
    std::vector<std::pair<QByteArray, QByteArray>> m_laidOutFor;
    std::vector<MarkPosition> m_marks; // of every page, in painting order
    std::vector<size_t> m_pageEnds; // where each ended page's marks end in m_marks
};

} // namespace dezenario
