#include "sliplayout.h"

#include <algorithm>

namespace dezenario::SlipLayout {

int numberOf(QStringView dezena)
{
    if (dezena.size() != 2)
        return 0;
    const char16_t tens = dezena[0].unicode();
    const char16_t units = dezena[1].unicode();
    if (tens < u'0' || tens > u'9' || units < u'0' || units > u'9')
        return 0;
    const int n = (tens - u'0') * 10 + (units - u'0');
    return n <= 60 ? n : 0;
}

std::optional<MarkPosition> numberMarkPosition(int game, QStringView dezena)
{
    Q_ASSERT(game >= 1 && game <= 3);
    if (const int n = numberOf(dezena))
        return numberMarkPosition(game, n);
    return std::nullopt;
}

MarkPosition numberMarkPosition(int game, int number)
{
    Q_ASSERT(game >= 1 && game <= 3 && number >= 1 && number <= 60);
    return MarkPosition { GameColumnX[game - 1][(number - 1) / 10], RowY[(number - 1) % 10] };
}

MarkPosition countMarkPosition(int numbersPerGame)
{
    Q_ASSERT(numbersPerGame >= 6 && numbersPerGame <= 9);
    return MarkPosition { CountBoxX, RowY[numbersPerGame - 6] };
}

void paintMark(Printer &printer, MarkPosition position)
{
    printer.paintPicture(position);
}

std::vector<Box> allBoxes()
{
    std::vector<Box> boxes;
    for (int game = 1; game <= 3; ++game)
        for (int n = 1; n <= 60; ++n)
            boxes.push_back({ numberMarkPosition(game, n), game, n });
    for (int count = 6; count <= 9; ++count)
        boxes.push_back({ countMarkPosition(count), 0, count });
    return boxes;
}

QRectF boxCorners()
{
    QPointF first(CountBoxX, RowY[0]), last = first;
    for (const Box &box : allBoxes()) {
        first = QPointF(std::min<double>(first.x(), box.at.x),
                        std::min<double>(first.y(), box.at.y));
        last = QPointF(std::max<double>(last.x(), box.at.x), std::max<double>(last.y(), box.at.y));
    }
    return QRectF(first, last);
}

} // namespace dezenario::SlipLayout
