#pragma once

#include "alignment.h"
#include "commanderror.h"
#include "controls.h"
#include "pagerecorder.h"

#include <QImage>
#include <QStringList>
#include <functional>
#include <vector>
#ifndef Q_OS_WIN
#    include <QByteArray>
#    include <QPageLayout>
#    include <utility>
#endif

namespace dezenario {

// The printer for slips: the one the user chose, or the system's default (a CUPS destination on
// Linux, the spooler's default printer on Windows). A run's marks are only recorded, page by page;
// the printer is opened at endDocument, which paints every page in one go. A run that fails on the
// way has then sent nothing to the printing service, on a system whose print jobs start as soon as
// painting begins too (Windows). Each page is laid out on the printer's own default paper, in its
// default orientation, from the corner of its printable area, unscaled; the user's alignment for
// that printer places each mark.
//
// The recording, the painting of pages and why nothing can print are shared
// (systemprinter.cpp); each system's file finds the printer and delivers the pages:
// systemprinter_cups.cpp (the destination's PPD, a PDF handed to CUPS) and
// systemprinter_win.cpp (the spooler, through GDI).
class SystemPrinter : public Printer
{
public:
    // The user's alignment for a printer, by its name.
    using AlignmentFor = std::function<Alignment(const QString &printer)>;
    // chosen: the printer for slips, empty for the system's default.
    explicit SystemPrinter(QImage mark, QString chosen = QString(),
                           AlignmentFor alignmentFor = AlignmentFor());

    // Also throws, with errors::InvalidArgument, when the user's alignment would put a mark off the
    // printable area of the printer's paper.
    void ensureAvailable() override;
    void paintPicture(MarkPosition at) override;
    void endPage() override;
    void endDocument() override;
    void discardDocument() override;

    // After ensureAvailable: the printer found, as the user knows it.
    QString name() const { return m_name; }
    // After ensureAvailable: prints the test sheet alone, on one page.
    void printTestSheet();

    // After ensureAvailable: the paper as the pages are laid out on it, and its printable area,
    // in twips from the paper's corner (none where the printer cannot tell); and the user's
    // alignment for the printer found.
    struct Page
    {
        QSizeF paper;
        QRectF printable;
    };
    Page page() const;
    const Alignment &alignment() const { return m_alignment; }

    struct Installed
    {
        QString systemDefault; // empty when the system names none
        QStringList printers;
    };
    // Every printer installed; slow where the system asks printers on the network, so it is for a
    // thread of its own.
    static Installed installedPrinters();

private:
    // Opens the printer, paints the recorded pages and hands them over; throws
    // CommandError when it cannot.
    void deliver();
    // Goes through the recorded pages at the printer's own resolution: calls
    // newPage between two pages, and paint with each mark's place in whole
    // device dots. False when newPage fails.
    bool paintPages(QSizeF dotsPerInch, const std::function<bool()> &newPage,
                    const std::function<void(const QRect &)> &paint) const;

    // Why there is no printer to print on, the same steps on both systems; named is the printer
    // chosen for slips, or else the default that the system names, that cannot be opened, if any.
    // Each system's file gives the probes and the hints below.
    CommandError noPrinter(const QString &named) const;
    // The user's alignment for the printer found, checked against its printable area (in twips),
    // which is asked only when there is an alignment to check.
    void align(const std::function<QSizeF()> &printable);
    static bool serviceAnswers();
    static bool anyPrinterInstalled();
    static const QString ServiceDown; // what to do when the printing service does not answer
    static const QString HowToChoose; // where the user chooses the default printer

    QImage m_mark;
    QString m_chosen;
    AlignmentFor m_alignmentFor;
    Alignment m_alignment;
    bool m_testSheet = false;
    QString m_name; // as the user knows the printer
    PageRecorder m_pages;
#ifndef Q_OS_WIN
    // The paper and printable area that the destination gives, and the paper and orientation
    // options it was made for, which the job names.
    QPageLayout m_layout;
    std::vector<std::pair<QByteArray, QByteArray>> m_laidOutFor;
#endif
};

} // namespace dezenario
