#pragma once

#include "slippreview.h"
#include "systemprinter.h"

#include <QDialog>
#include <QTransform>

class QLabel;
class QPushButton;

namespace dezenario {

class PreviewWindow;

// One slip on its paper, scaled to fit the room the window gives it.
class SlipView : public QWidget
{
    Q_OBJECT
public:
    explicit SlipView(PreviewWindow *window);
    // From twips on the printable area to the view's pixels, as the slip is drawn.
    QTransform twipsToView() const;

protected:
    void paintEvent(QPaintEvent *) override;

private:
    // The part of the paper shown, from its corner to past the farthest box, in twips.
    QSizeF partShown() const;

    PreviewWindow *m_window;
};

// VISUALIZAR VOLANTES: the slips that IMPRIMIR would print from the text as it stands, each drawn
// as it comes out on the paper of the printer for slips, with its shift and stretch, and the
// problems of the text named in words. Only the slip shown is drawn, and only the problems in
// sight are put in words, so a list of any length opens at once and pages at once.
class PreviewWindow : public QDialog
{
    Q_OBJECT
public:
    PreviewWindow(SlipPreview preview, QImage mark, QWidget *parent);

    // Shows a slip, from 0; one past either end shows the end.
    void showSlip(int slip);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    friend class SlipView;
    // The paper of the printer for slips, its printable area and the user's values for it; A4
    // with nothing moved, and why, when the printer cannot tell.
    QString findPaper();

    SlipPreview m_preview;
    QImage m_mark;
    SystemPrinter::Page m_page;
    Alignment m_alignment;
    int m_shown = 0;
    SlipView *m_view;
    QLabel *m_slip;
    QLabel *m_games;
    QPushButton *m_previous;
    QPushButton *m_next;
};

} // namespace dezenario
