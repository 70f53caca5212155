#include "slipview.h"

#include "pagepainter.h"
#include "qtadapters.h"
#include "sliplayout.h"
#include "units.h"

#include <QPainter>

namespace dezenario {

SlipView::SlipView(QImage mark, QWidget *parent) : QWidget(parent), m_mark(std::move(mark))
{
    setObjectName(QStringLiteral("Volante"));
    setMinimumSize(240, 300);
    setFocusPolicy(Qt::StrongFocus); // its arrows page, through the window
    SystemPrinter printer = slipPrinter(m_mark);
    QString why;
    try {
        printer.ensureAvailable();
        m_page = printer.page();
        m_alignment = printer.alignment();
    } catch (const CommandError &error) {
        why = error.description();
    }
    if (!m_page.paper.isEmpty()) {
        m_words = QStringLiteral("NO PAPEL DA IMPRESSORA \"%1\" (%2 × %3 MM), COM %4.")
                          .arg(printer.name(), decimal(millimetresOfTwips(m_page.paper.width())),
                               decimal(millimetresOfTwips(m_page.paper.height())),
                               describe(m_alignment));
        return;
    }
    const QSizeF a4 = QSizeF(210, 297) * TwipsPerMillimetre;
    m_page = { a4, QRectF(QPointF(), a4) };
    m_alignment = Alignment();
    m_words = QStringLiteral("EM PAPEL A4, SEM AJUSTES, PORQUE O PAPEL DA IMPRESSORA NÃO PÔDE SER "
                             "CONSULTADO: %1")
                      .arg(why.isEmpty() ? QStringLiteral("ELA NÃO O INFORMA.") : why);
}

void SlipView::showMarks(std::span<const MarkPosition> marks)
{
    m_marks = marks;
    update();
}

QTransform SlipView::twipsToView() const
{
    const QSizeF part = partShown();
    const double scale = std::min((width() - 16) / part.width(), (height() - 16) / part.height());
    return QTransform::fromTranslate(m_page.printable.left(), m_page.printable.top())
            * QTransform::fromScale(scale, scale)
            * QTransform::fromTranslate((width() - part.width() * scale) / 2,
                                        (height() - part.height() * scale) / 2);
}

QSizeF SlipView::partShown() const
{
    const QSizeF mark = PagePainter::markSize(m_mark);
    const QPointF far = m_page.printable.topLeft()
            + m_alignment.place(SlipLayout::boxCorners().bottomRight())
            + QPointF(mark.width(), mark.height()) + QPointF(850, 850); // and 15 mm
    return QSizeF(std::min(m_page.paper.width(), far.x()),
                  std::min(m_page.paper.height(), far.y()));
}

void SlipView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Mid));
    // The paper's corner is where the printable area's corner is, less its margins.
    painter.setTransform(
            QTransform::fromTranslate(-m_page.printable.left(), -m_page.printable.top())
            * twipsToView()); // twips from the paper's corner from here on
    painter.setClipRect(QRectF(QPointF(), partShown()));
    painter.fillRect(QRectF(QPointF(), m_page.paper), Qt::white);
    painter.setPen(QPen(Qt::gray, 0, Qt::DashLine));
    painter.drawRect(m_page.printable);
    painter.translate(m_page.printable.topLeft());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    PagePainter::paintSlip(painter, m_alignment, m_mark, m_marks);
}

} // namespace dezenario
