#include "systemprinter.h"

#include <cmath>

namespace dezenario {

namespace {
constexpr double TwipsPerInch = 1440;
constexpr double MetresPerInch = 0.0254;
} // namespace

SystemPrinter::SystemPrinter(QImage mark) : m_mark(std::move(mark)) {}

void SystemPrinter::paintPicture(MarkPosition at)
{
    m_marks.push_back(at);
}

void SystemPrinter::endPage()
{
    // A run never ends a page it did not paint on: the next paint opens the next page.
    if (m_marks.size() > (m_pageEnds.empty() ? 0 : m_pageEnds.back()))
        m_pageEnds.push_back(m_marks.size());
}

void SystemPrinter::endDocument()
{
    endPage();
    if (m_pageEnds.empty())
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
    m_marks.clear();
    m_pageEnds.clear();
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
    const QSize size(
            dots(m_mark.width() / (m_mark.dotsPerMeterX() * MetresPerInch) * TwipsPerInch, x),
            dots(m_mark.height() / (m_mark.dotsPerMeterY() * MetresPerInch) * TwipsPerInch, y));
    size_t mark = 0;
    for (size_t page = 0; page < m_pageEnds.size(); ++page) {
        if (page > 0 && !newPage())
            return false;
        for (; mark < m_pageEnds[page]; ++mark)
            paint(QRect(QPoint(dots(m_marks[mark].x, x), dots(m_marks[mark].y, y)), size));
    }
    return true;
}

CommandError SystemPrinter::noPrinter(const QString &named)
{
    // The service first: when it is down, the system shows no printer at all, or a default
    // that cannot be opened.
    if (!serviceAnswers())
        return CommandError(errors::NoPrinter, ServiceDown);
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
