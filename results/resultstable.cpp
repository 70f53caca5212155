#include "resultstable.h"

#include "ziparchive.h"

#include <QHash>
#include <QStringDecoder>
#include <QXmlStreamReader>

namespace dezenario {

namespace {

// "AB12" as 0-based column 27.
int columnOf(QStringView reference)
{
    int column = 0;
    for (const QChar c : reference) {
        if (!c.isLetter())
            break;
        column = column * 26 + (c.toUpper().unicode() - u'A' + 1);
    }
    return column - 1;
}

// The text of the element the reader is on, every <t> in it joined, phonetic runs left out.
QString textOf(QXmlStreamReader &xml)
{
    QString text;
    for (int depth = 1; depth > 0 && xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd();) {
        if (xml.isStartElement() && xml.name() == u"t")
            text += xml.readElementText();
        else if (xml.isStartElement() && xml.name() == u"rPh")
            xml.skipCurrentElement();
        else
            depth += xml.isStartElement() ? 1 : xml.isEndElement() ? -1 : 0;
    }
    return text;
}

void throwIfBroken(const QXmlStreamReader &xml, const QString &part)
{
    if (xml.hasError())
        throw unreadable(QStringLiteral("%1 NÃO SE LÊ (%2).").arg(part, xml.errorString()));
}

QString firstSheet(const ZipArchive &zip)
{
    QXmlStreamReader workbook(zip.entry(QStringLiteral("xl/workbook.xml")));
    QString id;
    while (id.isEmpty() && workbook.readNext() != QXmlStreamReader::Invalid && !workbook.atEnd())
        if (workbook.isStartElement() && workbook.name() == u"sheet")
            for (const QXmlStreamAttribute &attribute : workbook.attributes())
                if (attribute.name() == u"id")
                    id = attribute.value().toString();
    throwIfBroken(workbook, QStringLiteral("xl/workbook.xml"));
    QString target = QStringLiteral("worksheets/sheet1.xml");
    if (zip.has(QStringLiteral("xl/_rels/workbook.xml.rels"))) {
        QXmlStreamReader rels(zip.entry(QStringLiteral("xl/_rels/workbook.xml.rels")));
        while (rels.readNext() != QXmlStreamReader::Invalid && !rels.atEnd())
            if (rels.isStartElement() && rels.name() == u"Relationship"
                && rels.attributes().value(QLatin1StringView("Id")) == id)
                target = rels.attributes().value(QLatin1StringView("Target")).toString();
        throwIfBroken(rels, QStringLiteral("xl/_rels/workbook.xml.rels"));
    }
    return target.startsWith(u'/') ? target.mid(1) : QStringLiteral("xl/") + target;
}

QString decoded(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError()) // the older files were written in Latin-1
        text = QString::fromLatin1(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

} // namespace

ResultsTable readXlsx(const QByteArray &file)
{
    const ZipArchive zip(file);
    QStringList shared;
    if (zip.has(QStringLiteral("xl/sharedStrings.xml"))) {
        QXmlStreamReader xml(zip.entry(QStringLiteral("xl/sharedStrings.xml")));
        while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd())
            if (xml.isStartElement() && xml.name() == u"si")
                shared << textOf(xml);
        throwIfBroken(xml, QStringLiteral("xl/sharedStrings.xml"));
    }
    const QString sheet = firstSheet(zip);
    QXmlStreamReader xml(zip.entry(sheet));
    ResultsTable table;
    int column = 0;
    QString type;
    while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
        if (!xml.isStartElement())
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (xml.name() == u"row") {
            const int line = attributes.value(QLatin1StringView("r")).toInt();
            table << ResultsRow { line > 0 ? line : (table.isEmpty() ? 1 : table.last().line + 1),
                                  {} };
            column = 0;
        } else if (xml.name() == u"c" && !table.isEmpty()) {
            if (attributes.hasAttribute(QLatin1StringView("r")))
                column = columnOf(attributes.value(QLatin1StringView("r")));
            if (column < 0 || column > 1000)
                throw unreadable(QStringLiteral("UMA CÉLULA DE %1 NÃO TEM LUGAR.").arg(sheet));
            type = attributes.value(QLatin1StringView("t")).toString();
            QList<ResultsCell> &cells = table.last().cells;
            cells.resize(std::max<qsizetype>(cells.size(), column + 1));
            ResultsCell &cell = cells[column++];
            cell.number = type.isEmpty() || type == u"n";
            if (type == u"inlineStr")
                cell.text = textOf(xml);
        } else if (xml.name() == u"v" && !table.isEmpty() && column > 0) {
            ResultsCell &cell = table.last().cells[column - 1];
            cell.text = xml.readElementText();
            if (type == u"s") {
                bool ok = false;
                const int index = cell.text.toInt(&ok);
                if (!ok || index < 0 || index >= shared.size())
                    throw unreadable(
                            QStringLiteral("%1, LINHA %2: UM TEXTO QUE A PLANILHA NÃO TEM.")
                                    .arg(sheet)
                                    .arg(table.last().line));
                cell.text = shared[index];
            }
        }
    }
    throwIfBroken(xml, sheet);
    return table;
}

ResultsTable readHtml(const QByteArray &page)
{
    const QString text = decoded(page);
    static const QHash<QString, QChar> named { { "nbsp", u' ' },
                                               { "amp", u'&' },
                                               { "lt", u'<' },
                                               { "gt", u'>' },
                                               { "quot", u'"' },
                                               { "ordf", QChar(0xAA) },
                                               { "ordm", QChar(0xBA) },
                                               { "ccedil", QChar(0xE7) },
                                               { "atilde", QChar(0xE3) },
                                               { "ecirc", QChar(0xEA) },
                                               { "aacute", QChar(0xE1) },
                                               { "eacute", QChar(0xE9) },
                                               { "iacute", QChar(0xED) },
                                               { "oacute", QChar(0xF3) },
                                               { "uacute", QChar(0xFA) } };
    ResultsTable table;
    bool inCell = false;
    int line = 0;
    for (qsizetype at = 0; at < text.size();) {
        const QChar c = text[at];
        if (c == u'<') {
            const qsizetype end = text.indexOf(u'>', at);
            if (end < 0)
                break;
            const QString tag = text.sliced(at + 1, end - at - 1).trimmed().toLower();
            QString name = tag.startsWith(u'/') ? tag.mid(1) : tag;
            name.truncate(std::find_if(name.begin(), name.end(),
                                       [](QChar c) { return c.isSpace() || c == u'/'; })
                          - name.begin());
            const bool closing = tag.startsWith(u'/');
            if (name == u"tr") {
                inCell = false;
                if (!closing)
                    table << ResultsRow { ++line, {} };
            } else if ((name == u"td" || name == u"th") && !table.isEmpty()) {
                inCell = !closing;
                if (!closing)
                    table.last().cells << ResultsCell {};
            } else if (name == u"table" || name == u"/table") {
                inCell = false;
            }
            at = end + 1;
            continue;
        }
        QChar put = c;
        qsizetype next = at + 1;
        if (c == u'&') {
            const qsizetype end = text.indexOf(u';', at);
            if (end > at && end - at < 10) {
                const QString entity = text.sliced(at + 1, end - at - 1);
                bool ok = false;
                const uint code = entity.startsWith(QStringLiteral("#x"), Qt::CaseInsensitive)
                        ? entity.mid(2).toUInt(&ok, 16)
                        : entity.startsWith(u'#') ? entity.mid(1).toUInt(&ok)
                                                  : 0;
                if (ok && code > 0 && code < 0x10000)
                    put = QChar(char16_t(code)), next = end + 1;
                else if (named.contains(entity))
                    put = named[entity], next = end + 1;
            }
        }
        if (inCell)
            table.last().cells.last().text += put;
        at = next;
    }
    for (ResultsRow &row : table)
        for (ResultsCell &cell : row.cells)
            cell.text = cell.text.simplified();
    return table;
}

ResultsTable readCsv(const QByteArray &bytes)
{
    const QString text = decoded(bytes);
    const QString head = text.left(text.indexOf(u'\n'));
    const QChar separator = head.count(u',') > head.count(u';') ? u',' : u';';
    ResultsTable table;
    int line = 1;
    bool quoted = false, fresh = true;
    for (qsizetype at = 0; at < text.size(); ++at) {
        const QChar c = text[at];
        if (fresh) {
            table << ResultsRow { line, { ResultsCell {} } };
            fresh = false;
        }
        if (c == u'\n')
            ++line;
        if (quoted) {
            if (c == u'"' && at + 1 < text.size() && text[at + 1] == u'"')
                table.last().cells.last().text += c, ++at;
            else if (c == u'"')
                quoted = false;
            else
                table.last().cells.last().text += c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == separator) {
            table.last().cells << ResultsCell {};
        } else if (c == u'\n') {
            fresh = true;
        } else if (c != u'\r') {
            table.last().cells.last().text += c;
        }
    }
    for (ResultsRow &row : table)
        for (ResultsCell &cell : row.cells)
            cell.text = cell.text.trimmed();
    return table;
}

ResultsTable readResultsTable(const QByteArray &file)
{
    if (file.size() > LargestResultsFile)
        throw unreadable(QStringLiteral("É GRANDE DEMAIS PARA UM ARQUIVO DE RESULTADOS."));
    if (file.startsWith("PK")) {
        const ZipArchive zip(file);
        if (zip.has(QStringLiteral("xl/workbook.xml")))
            return readXlsx(file);
        for (const QString &name : zip.names())
            if (name.endsWith(QStringLiteral(".htm"), Qt::CaseInsensitive)
                || name.endsWith(QStringLiteral(".html"), Qt::CaseInsensitive))
                return readHtml(zip.entry(name));
        throw unreadable(QStringLiteral("O ZIP NÃO TEM PLANILHA NEM PÁGINA DE RESULTADOS."));
    }
    // A page, whatever its head holds before the table; else a spreadsheet's CSV.
    const QByteArray head = file.left(1 << 16).toLower();
    if (head.contains("<table") || head.contains("<tr") || head.contains("<html"))
        return readHtml(file);
    return readCsv(file);
}

} // namespace dezenario
