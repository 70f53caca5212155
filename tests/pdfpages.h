// The pages of a PDF as poppler's pdfinfo reads them; where there is no poppler (the Windows
// tests under Wine), the page objects that Qt's PDF writer writes as plain text. -1 when unread.
#pragma once

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace dezenario::test {
inline int pdfPages(const QString &path)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()) {
        QFile pdf(path);
        if (!pdf.open(QIODevice::ReadOnly))
            return -1;
        return int(QString::fromLatin1(pdf.readAll())
                           .count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b"))));
    }
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), { path });
    if (!info.waitForFinished(60000))
        return -1;
    const auto pages = QRegularExpression(QStringLiteral("Pages: +(\\d+)\n"))
                               .match(QString::fromLatin1(info.readAll()));
    return pages.hasMatch() ? pages.captured(1).toInt() : -1;
}
} // namespace dezenario::test
