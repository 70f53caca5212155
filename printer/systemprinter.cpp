#include "systemprinter.h"

#include "pagepainter.h"
#include "sliplayout.h"
#include "units.h"

#include <cmath>

namespace dezenario {

namespace {
const QString HowToAdjust = QStringLiteral("IMPRESSÃO > AJUSTAR VOLANTES");
} // namespace

SystemPrinter::SystemPrinter(QImage mark, QString chosen, AlignmentFor alignmentFor)
    : m_mark(std::move(mark)), m_chosen(std::move(chosen)), m_alignmentFor(std::move(alignmentFor))
{
}

void SystemPrinter::align(const std::function<QSizeF()> &printable)
{
    m_alignment = m_alignmentFor ? m_alignmentFor(m_name) : Alignment();
    // Nothing set places every mark as the table has it, as it always did.
    if (m_alignment.isIdentity())
        return;
    const QSizeF area = printable();
    if (area.isEmpty())
        return; // it cannot be asked now; delivering the pages says why
    const QString misfit =
            m_alignment.misfit(SlipLayout::boxCorners(), PagePainter::markSize(m_mark), area);
    if (!misfit.isEmpty())
        throw CommandError(errors::InvalidArgument,
                           QStringLiteral("A IMPRESSORA \"%1\": %2 CORRIJA EM %3.")
                                   .arg(m_name, misfit, HowToAdjust));
}

void SystemPrinter::printTestSheet()
{
    m_testSheet = true;
    try {
        deliver();
    } catch (...) {
        m_testSheet = false;
        throw;
    }
    m_testSheet = false;
}

void SystemPrinter::paintPicture(MarkPosition at)
{
    m_pages.paintPicture(at);
}

void SystemPrinter::endPage()
{
    m_pages.endPage();
}

void SystemPrinter::endDocument()
{
    m_pages.endDocument();
    if (m_pages.pageCount() == 0)
        return; // nothing was painted, so there is nothing to print
    try {
        deliver();
    } catch (...) {
        discardDocument();
        throw;
    }
    discardDocument();
}

void SystemPrinter::discardDocument()
{
    m_pages.discardDocument();
}

bool SystemPrinter::paintPages(QSizeF dotsPerInch, const std::function<bool()> &newPage,
                               const std::function<void(const QRect &)> &paint) const
{
    // Whole device dots, rounded: truncated, a mark could move by a dot.
    auto dots = [](double twips, double perInch) {
        return int(std::lround(twips * perInch / TwipsPerInch));
    };
    const double x = dotsPerInch.width(), y = dotsPerInch.height();
    // The mark at its stored density, whatever the printer's dots.
    const QSizeF twips = PagePainter::markSize(m_mark);
    const QSize size(dots(twips.width(), x), dots(twips.height(), y));
    for (qsizetype page = 0; page < m_pages.pageCount(); ++page) {
        if (page > 0 && !newPage())
            return false;
        for (const MarkPosition &mark : m_pages.page(page)) {
            const QPointF at = PagePainter::markRect(m_alignment, mark, twips).topLeft();
            paint(QRect(QPoint(dots(at.x(), x), dots(at.y(), y)), size));
        }
    }
    return true;
}

CommandError SystemPrinter::noPrinter(const QString &named) const
{
    // The service first: when it is down, the system shows no printer at all, or a default
    // that cannot be opened.
    if (!serviceAnswers())
        return CommandError(errors::NoPrinter, ServiceDown);
    if (!m_chosen.isEmpty()) {
        return CommandError(errors::NoPrinter,
                            QStringLiteral("A IMPRESSORA \"%1\", ESCOLHIDA PARA OS VOLANTES, NÃO "
                                           "ESTÁ MAIS INSTALADA. ESCOLHA OUTRA EM %2.")
                                    .arg(m_chosen, HowToAdjust));
    }
    if (!named.isEmpty()) {
        return CommandError(errors::NoPrinter,
                            QStringLiteral("A IMPRESSORA PADRÃO \"%1\" NÃO EXISTE. ESCOLHA UMA "
                                           "IMPRESSORA INSTALADA %2.")
                                    .arg(named, HowToChoose));
    }
    if (anyPrinterInstalled()) {
        return CommandError(
                errors::NoPrinter,
                QStringLiteral("NENHUMA IMPRESSORA FOI ESCOLHIDA COMO PADRÃO. ESCOLHA UMA %1.")
                        .arg(HowToChoose));
    }
    return CommandError(
            errors::NoPrinter,
            QStringLiteral(
                    "NENHUMA IMPRESSORA INSTALADA. INSTALE UMA IMPRESSORA E TENTE DE NOVO."));
}

} // namespace dezenario
