#include "combinationedit.h"

#include <QMimeData>
#include <QTextCursor>

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
