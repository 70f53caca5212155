#include "alignment.h"

#include "units.h"

#include <QLocale>
#include <QStringList>
#include <cmath>

namespace dezenario {

namespace {
// A twentieth of a twip: what the arithmetic may lose, never what a printer can show.
constexpr double Slack = 0.05;

// The bound, rounded to the 0.1 step towards what fits, so that the value told is one that fits.
double most(double twips)
{
    return std::floor(twips / TwipsPerMillimetre * 10 + 1e-6) / 10;
}
double least(double twips)
{
    return std::ceil(twips / TwipsPerMillimetre * 10 - 1e-6) / 10;
}
} // namespace

bool Alignment::inRange() const
{
    auto within = [](double v, double low, double high) { return v >= low && v <= high; };
    return within(right, -MaxShift, MaxShift) && within(down, -MaxShift, MaxShift)
            && within(width, MinStretch, MaxStretch) && within(height, MinStretch, MaxStretch);
}

QPointF Alignment::place(QPointF twips) const
{
    return QPointF(twips.x() * width / 100 + right * TwipsPerMillimetre,
                   twips.y() * height / 100 + down * TwipsPerMillimetre);
}

QString Alignment::misfit(const QRectF &corners, QSizeF mark, QSizeF printable) const
{
    // One axis: the marks span [low * scale + shift, high * scale + shift + size] within
    // [0, room]. Gives the words for the first way out, or nothing.
    auto axis = [](double low, double high, double size, double scale, double shift, double room,
                   const char *field, const char *stretch, const char *towardsLow,
                   const char *towardsHigh, const char *along) -> QString {
        const double first = low * scale / 100 + shift * TwipsPerMillimetre;
        const double last = high * scale / 100 + shift * TwipsPerMillimetre + size;
        const bool before = first<-Slack, after = last> room + Slack;
        if (before && after) {
            const double fits = std::floor((room - size) / (high - low) * 1000 + 1e-6) / 10;
            // A stretch the field refuses is no advice.
            if (fits < MinStretch)
                return QStringLiteral("AS MARCAS NÃO CABEM %1 DESTE PAPEL, QUE TEM %2 MM, NEM COM "
                                      "\"%3\" NO MÍNIMO (%4 %). USE UM PAPEL MAIOR.")
                        .arg(QLatin1String(along), decimal(room / TwipsPerMillimetre),
                             QLatin1String(stretch), decimal(MinStretch));
            return QStringLiteral("AS MARCAS NÃO CABEM %1 DESTE PAPEL, QUE TEM %2 MM. NESTE PAPEL, "
                                  "\"%3\" VAI NO MÁXIMO ATÉ %4 %.")
                    .arg(QLatin1String(along), decimal(room / TwipsPerMillimetre),
                         QLatin1String(stretch), decimal(fits));
        }
        if (after)
            return QStringLiteral(
                           "AS MARCAS SAIRIAM DO PAPEL %1. NESTE PAPEL, \"%2\" VAI NO MÁXIMO "
                           "ATÉ %3 MM.")
                    .arg(QLatin1String(towardsHigh), QLatin1String(field),
                         decimal(most(room - size - high * scale / 100)));
        if (before)
            return QStringLiteral(
                           "AS MARCAS SAIRIAM DO PAPEL %1. NESTE PAPEL, \"%2\" VAI NO MÍNIMO "
                           "ATÉ %3 MM.")
                    .arg(QLatin1String(towardsLow), QLatin1String(field),
                         decimal(least(-low * scale / 100)));
        return QString();
    };
    const QString across =
            axis(corners.left(), corners.right(), mark.width(), width, right, printable.width(),
                 "DIREITA", "LARGURA", "PELA ESQUERDA", "PELA DIREITA", "NA LARGURA");
    const QString down_ =
            axis(corners.top(), corners.bottom(), mark.height(), height, down, printable.height(),
                 "ABAIXO", "ALTURA", "POR CIMA", "POR BAIXO", "NA ALTURA");
    return QStringList { across, down_ }.join(u' ').trimmed();
}

QString decimal(double value)
{
    return QLocale().toString(value, 'f', 1);
}

QString bounds()
{
    return QStringLiteral("MOVER DE %1 A %2 MM, ESTICAR DE %3 A %4 %")
            .arg(decimal(-Alignment::MaxShift), decimal(Alignment::MaxShift),
                 decimal(Alignment::MinStretch), decimal(Alignment::MaxStretch));
}

QString describe(const Alignment &a)
{
    return QStringLiteral("DIREITA %1 MM, ABAIXO %2 MM, LARGURA %3 %, ALTURA %4 %")
            .arg(decimal(a.right), decimal(a.down), decimal(a.width), decimal(a.height));
}

} // namespace dezenario
