#include "textpages.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#ifndef Q_OS_WIN
#    include <QPrinterInfo>
#    include <QTemporaryDir>

#    include <cups/cups.h>
#endif

#include <algorithm>

namespace dezenario {

int paintTextPages(QPagedPaintDevice &device, const QList<TextPage> &pages)
{
    QPainter painter(&device);
    if (!painter.isActive())
        return 0;
    return paintTextPages(
            painter, QSizeF(device.width(), device.height()), device.logicalDpiY(),
            [&device] { device.newPage(); }, pages);
}

int paintTextPages(QPainter &painter, QSizeF size, int dotsPerInch,
                   const std::function<void()> &newPage, const QList<TextPage> &pages)
{
    const QRectF area(QPointF(), size);
    // The program's own font, which it carries where the system has none (Windows).
    QFont font(QGuiApplication::font().family());
    font.setPixelSize(std::max(8, dotsPerInch / 7)); // some 10 points
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const double line = metrics.lineSpacing();
    int painted = 0;
    for (const TextPage &page : pages) {
        QStringList head = page.head;
        qsizetype next = 0; // the first item not yet painted
        do {
            if (painted++ > 0)
                newPage();
            double y = metrics.ascent();
            for (const QString &text : head) {
                const QRectF box(0, y - metrics.ascent(), area.width(), area.height());
                const QRectF used = painter.boundingRect(box, Qt::TextWordWrap, text);
                painter.drawText(box, Qt::TextWordWrap, text);
                y += std::max(line, used.height());
            }
            y += line;
            double widest = 0;
            for (const QString &item : page.items)
                widest = std::max(widest, metrics.horizontalAdvance(item));
            const int columns = std::max(1, int(area.width() / (widest + 2 * line)));
            const int rows = std::max(1, int((area.height() - y) / line));
            for (int c = 0; c < columns && next < page.items.size(); ++c)
                for (int r = 0; r < rows && next < page.items.size(); ++r)
                    painter.drawText(QPointF(c * area.width() / columns, y + r * line),
                                     page.items[next++]);
            head = page.head.mid(0, 1);
        } while (next < page.items.size());
    }
    return painted;
}

QString saveTextPagesAsPdf(const QString &path, const QList<TextPage> &pages)
{
    {
        QPdfWriter pdf(path);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        pdf.setResolution(300);
        pdf.setCreator(QStringLiteral("DEZENARIO"));
        if (paintTextPages(pdf, pages) > 0)
            return QString();
    }
    QFile::remove(path); // nothing half written
    return QStringLiteral("NÃO É POSSÍVEL GRAVAR EM %1.").arg(QDir::toNativeSeparators(path));
}

#ifndef Q_OS_WIN
QString defaultPrinterName()
{
    return QPrinterInfo::defaultPrinterName();
}

QString printTextPages(const QString &printer, const QString &title, const QList<TextPage> &pages)
{
    if (QPrinterInfo::printerInfo(printer).isNull())
        return QStringLiteral("A IMPRESSORA \"%1\" NÃO ESTÁ INSTALADA.").arg(printer);
    // The pages as a PDF handed to CUPS, as the slips are: its answer tells whether the queue
    // took the job.
    const QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("comprovantes.pdf"));
    if (const QString fault = saveTextPagesAsPdf(pdf, pages); !fault.isEmpty())
        return fault;
    if (cupsPrintFile(printer.toLocal8Bit().constData(), QFile::encodeName(pdf).constData(),
                      title.toUtf8().constData(), 0, nullptr)
        > 0)
        return QString();
    return QStringLiteral("A IMPRESSORA \"%1\" RECUSOU A IMPRESSÃO: %2.")
            .arg(printer, QString::fromUtf8(cupsLastErrorString()));
}
#endif

} // namespace dezenario
