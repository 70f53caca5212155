#include "pagepainter.h"

#include "sliplayout.h"
#include "units.h"

#include <QPainter>
#include <map>

namespace dezenario::PagePainter {

namespace {
constexpr double MetresPerInch = MillimetresPerInch / 1000;
constexpr double Mm = TwipsPerMillimetre; // twips

QFont font(double twips, bool bold = false)
{
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setPixelSize(int(twips)); // a pixel is a twip here
    font.setBold(bold);
    return font;
}

// A ruler from `from`, `length` millimetres along `along` (a unit vector), its ticks on the side
// `side` points to: 1 mm apart, longer every 5 mm, and numbered every 10 mm.
void paintRuler(QPainter &painter, QPointF from, QPointF along, QPointF side, int length)
{
    painter.drawLine(from, from + along * length * Mm);
    for (int mm = 0; mm <= length; ++mm) {
        const QPointF at = from + along * mm * Mm;
        const double tick = (mm % 10 == 0 ? 2.5 : mm % 5 == 0 ? 1.6 : 1.0) * Mm;
        painter.drawLine(at, at + side * tick);
        if (mm % 10 == 0 && mm > 0) { // beyond the longest tick
            const QRectF label(at + side * 3.7 * Mm - QPointF(3 * Mm, 3 * Mm),
                               QSizeF(6 * Mm, 6 * Mm));
            painter.drawText(label, Qt::AlignCenter, QString::number(mm));
        }
    }
}
} // namespace

std::map<int, QRectF> paintOutlines(QPainter &painter, const Alignment &alignment, QSizeF mark,
                                    const QColor &colour, bool labelled)
{
    // Each outline within the mark's own rectangle, so that its outer edge is the mark's. The
    // labels in grey below them: they never hide a box of the slip.
    const double line = 0.2 * Mm;
    std::map<int, QRectF> games;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setFont(font(1.4 * Mm));
    for (const SlipLayout::Box &box : SlipLayout::allBoxes()) {
        const QRectF at = markRect(alignment, box.at, mark);
        painter.setPen(QPen(colour, line, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        painter.drawRect(at.adjusted(line / 2, line / 2, -line / 2, -line / 2));
        games[box.game] |= at;
        if (!labelled)
            continue;
        painter.setPen(QColor(0x90, 0x90, 0x90));
        const QRectF label(at.center().x() - 2 * Mm, at.bottom() + 0.4 * Mm, 4 * Mm, 1.4 * Mm);
        painter.drawText(label, Qt::AlignHCenter | Qt::AlignTop,
                         box.game ? QString::asprintf("%02d", box.number)
                                  : QString::number(box.number));
    }
    painter.restore();
    return games;
}

void paintSlip(QPainter &painter, const Alignment &alignment, const QImage &mark,
               std::span<const MarkPosition> marks)
{
    const QSizeF size = markSize(mark);
    paintOutlines(painter, alignment, size, QColor(0xc8, 0xc8, 0xc8), false);
    for (const MarkPosition &at : marks)
        painter.drawImage(markRect(alignment, at, size), mark);
}

QSizeF markSize(const QImage &mark)
{
    return QSizeF(mark.width() / (mark.dotsPerMeterX() * MetresPerInch) * TwipsPerInch,
                  mark.height() / (mark.dotsPerMeterY() * MetresPerInch) * TwipsPerInch);
}

QRectF markRect(const Alignment &alignment, MarkPosition at, QSizeF mark)
{
    return QRectF(alignment.place(QPointF(at.x, at.y)), mark);
}

void paintTestSheet(QPainter &painter, const Alignment &alignment, QSizeF mark,
                    const QString &printer)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const double line = 0.2 * Mm;
    painter.setPen(QPen(Qt::black, line, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);

    // The corner that every position counts from, as the user's values move it.
    const QPointF corner = alignment.place(QPointF());
    painter.drawLine(corner - QPointF(3 * Mm, 0), corner + QPointF(3 * Mm, 0));
    painter.drawLine(corner - QPointF(0, 3 * Mm), corner + QPointF(0, 3 * Mm));
    painter.setFont(font(1.6 * Mm));
    paintRuler(painter, corner + QPointF(0, 5 * Mm), QPointF(1, 0), QPointF(0, -1), 100);
    paintRuler(painter, corner + QPointF(5 * Mm, 0), QPointF(0, 1), QPointF(-1, 0), 75);

    const std::map<int, QRectF> games = paintOutlines(painter, alignment, mark, Qt::black, true);
    painter.setPen(Qt::black);
    painter.setFont(font(2.2 * Mm, true));
    double bottom = 0;
    for (const auto &[game, area] : games) {
        const QRectF heading(area.left() - 5 * Mm, area.bottom() + 2.2 * Mm, area.width() + 10 * Mm,
                             3 * Mm);
        painter.drawText(heading, Qt::AlignHCenter | Qt::AlignTop,
                         game ? QStringLiteral("JOGO %1").arg(game) : QStringLiteral("QTD."));
        bottom = std::max(bottom, heading.bottom());
    }
    painter.setFont(font(2 * Mm));
    const QRectF words(games.at(1).left(), bottom + 2 * Mm,
                       games.at(0).right() - games.at(1).left(), 30 * Mm);
    painter.drawText(words, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     QStringLiteral("FOLHA DE TESTE DO DEZENARIO NA IMPRESSORA \"%1\"\n%2\n"
                                    "SEGURE ESTA FOLHA SOBRE UM VOLANTE EM BRANCO, CONTRA A LUZ, "
                                    "COM OS CANTOS JUNTOS. CADA CONTORNO DEVE CERCAR O SEU "
                                    "QUADRINHO; SE NÃO CERCAR, MEÇA NA RÉGUA QUANTO FALTA E "
                                    "SOME ESSA MEDIDA EM AJUSTAR VOLANTES.")
                             .arg(printer, describe(alignment)));
    painter.restore();
}

} // namespace dezenario::PagePainter
