#pragma once

#include "slippreview.h"
#include "slipview.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace dezenario {

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
    SlipPreview m_preview;
    int m_shown = 0;
    SlipView *m_view;
    QLabel *m_slip;
    QLabel *m_games;
    QPushButton *m_previous;
    QPushButton *m_next;
};

} // namespace dezenario
