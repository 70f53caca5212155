#pragma once

#include "commanderror.h"
#include "controls.h"

#include <QImage>
#include <functional>
#include <vector>
#ifndef Q_OS_WIN
#    include <QByteArray>
#    include <QPageLayout>
#    include <utility>
#endif

namespace dezenario {

// The system's default printer: a CUPS destination on Linux, the spooler's default printer on
// Windows. A run's marks are only recorded, page by page; the printer is opened at endDocument,
// which paints every page in one go. A run that fails on the way has then sent nothing to the
// printing service, on a system whose print jobs start as soon as painting begins too (Windows).
// Each page is laid out on the printer's own default paper, in its default orientation, from the
// corner of its printable area, unscaled.
//
// The recording, the painting of pages and why nothing can print are shared
// (systemprinter.cpp); each system's file finds the printer and delivers the pages:
// systemprinter_cups.cpp (the destination's PPD, a PDF handed to CUPS) and
// systemprinter_win.cpp (the spooler, through GDI).
class SystemPrinter : public Printer
{
public:
    explicit SystemPrinter(QImage mark);

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

    // Why there is no printer to print on, the same steps on both systems; named is the
    // default that the system names but cannot open, if any. Each system's file gives the probes
    // and the hints below.
    static CommandError noPrinter(const QString &named);
    static bool serviceAnswers();
    static bool anyPrinterInstalled();
    static const QString ServiceDown; // what to do when the printing service does not answer
    static const QString HowToChoose; // where the user chooses the default printer

    QImage m_mark;
    QString m_name; // as the user knows the printer
    std::vector<MarkPosition> m_marks; // of every page, in painting order
    std::vector<size_t> m_pageEnds; // where each ended page's marks end in m_marks
#ifndef Q_OS_WIN
    // The paper and printable area that the destination gives, and the paper and orientation
    // options it was made for, which the job names.
    QPageLayout m_layout;
    std::vector<std::pair<QByteArray, QByteArray>> m_laidOutFor;
#endif
};

} // namespace dezenario
