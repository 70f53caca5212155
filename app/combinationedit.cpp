#include "combinationedit.h"

#include <QMimeData>
#include <QTextCursor>
#include <algorithm>

namespace dezenario {

namespace {
constexpr qsizetype BlockCharacters = 1024;
}

QString CombinationEdit::forDocument(QStringView text)
{
    QString out(text.size(), Qt::Uninitialized);
    QChar *o = out.data();
    qsizetype n = 0;
    qsizetype blockStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else if (c != u'\n' && c != QChar::LineSeparator && c != QChar::ParagraphSeparator) {
            o[n++] = c;
            continue;
        }
        if (n - blockStart >= BlockCharacters) {
            o[n++] = QChar::ParagraphSeparator;
            blockStart = n;
        } else {
            o[n++] = QChar::LineSeparator;
        }
    }
    out.truncate(n);
    return out;
}

QString CombinationEdit::fromDocument(QString raw)
{
    // Widened in place, from the end: QString::replace with a longer text would move the rest of
    // the text at every line, and a second buffer would double the peak memory.
    auto isBreak = [](QChar c) {
        return c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
    };
    qsizetype from = raw.size();
    qsizetype to = from + std::count_if(raw.cbegin(), raw.cend(), isBreak);
    raw.resize(to);
    QChar *text = raw.data();
    while (from > 0) {
        const QChar c = text[--from];
        if (isBreak(c)) {
            text[--to] = u'\n';
            text[--to] = u'\r';
        } else {
            text[--to] = c;
        }
    }
    return raw;
}

void CombinationEdit::insertFromMimeData(const QMimeData *source)
{
    if (isReadOnly() || !source || !source->hasText())
        return;
    // One edit, so that one undo takes the whole paste back.
    QTextCursor cursor = textCursor();
    cursor.insertText(forDocument(source->text()));
    setTextCursor(cursor);
    ensureCursorVisible();
}

} // namespace dezenario
