#pragma once

#include <QPlainTextEdit>

namespace dezenario {

// Text1. The commands see its line breaks as CR LF; forDocument and fromDocument go between
// that and the document. A pasted list of a million combinations would cost the document a
// block per line, and every block costs time to build, cut and free; so the
// lines go into blocks of about a kilobyte each, broken inside by line
// separators. On screen, in the clipboard and for the commands a line
// separator is a line break like any other. Its lines wrap anywhere (the .ui
// says so): a run of numbers and dashes has no word boundary, and a word of
// megabytes would take Qt's line breaking time that grows with its square.
class CombinationEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;

    // The text with every line break (CR LF, CR, LF, U+2028, U+2029) made a
    // line separator, or a paragraph break where a block has grown long.
    static QString forDocument(QStringView text);
    // And back: the document's raw text (toRawText, which keeps what plain text would alter, a
    // no-break space for one) with each of its line breaks, one character, made CR LF.
    static QString fromDocument(QString raw);

protected:
    void insertFromMimeData(const QMimeData *source) override;
};

} // namespace dezenario
