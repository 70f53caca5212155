#pragma once

#include "systemprinter.h"

#include <QImage>
#include <QTransform>
#include <QWidget>
#include <span>

namespace dezenario {

// A slip as it comes out on the paper of the printer for slips, with its shift and stretch, scaled
// to fit the room it is given: the marks at their size over faint outlines of every box. The
// printer is asked once, as the view is made; where it cannot tell, the view shows A4 with nothing
// moved, and says why.
class SlipView : public QWidget
{
    Q_OBJECT
public:
    SlipView(QImage mark, QWidget *parent);

    // The paper and the values, or why they are not the printer's, in words.
    const QString &paperInWords() const { return m_words; }
    // The marks to show; they must outlive the view, or the next call.
    void showMarks(std::span<const MarkPosition> marks);
    // From twips on the printable area to the view's pixels, as the slip is drawn.
    QTransform twipsToView() const;

protected:
    void paintEvent(QPaintEvent *) override;

private:
    // The part of the paper shown, from its corner to past the farthest box, in twips.
    QSizeF partShown() const;

    QImage m_mark;
    SystemPrinter::Page m_page;
    Alignment m_alignment;
    QString m_words;
    std::span<const MarkPosition> m_marks;
};

} // namespace dezenario
