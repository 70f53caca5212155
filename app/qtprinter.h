#pragma once

#include "controls.h"

#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <memory>

class QPrinter;
class QTemporaryFile;

namespace dezenario {

// The default CUPS destination (LPDEST, PRINTER, lpoptions or the server's
// default). The pages are laid out on that printer's own default paper, with
// its printable area as the margins, written as one PDF document to a spool
// file, and handed to CUPS together at the end of the run, unscaled. Pages
// that never reach endDocument are dropped. ensureAvailable, which a run asks
// first, reads the destination and its paper.
class QtPrinter : public Printer
{
public:
    explicit QtPrinter(QImage mark);
    ~QtPrinter() override;

    void ensureAvailable() override;
    void paintPicture(MarkPosition at) override;
    void endPage() override;
    void endDocument() override;
    void discardDocument() override;

private:
    void open();

    QImage m_mark;
    QString m_name;
    QPageLayout m_layout;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QTemporaryFile> m_spool;
    QPainter m_painter;
    QSizeF m_markSize; // in twips
    enum class Page { None, Open, Ended } m_page = Page::None;
};

} // namespace dezenario
