#pragma once

#include "drawcheck.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QTableView;

namespace dezenario {

class GameModel;

// CONFERIR: the games of the text or of a kept run, as the slips mark them, checked against the
// six numbers drawn: a summary of the senas, quinas and quadras, counted as the lottery pays, and
// every game with its hits; copied as text or saved as CSV. Nothing of the main window changes.
class CheckWindow : public QDialog
{
    Q_OBJECT
public:
    // games: a run kept, or the text's games as IMPRIMIR would print them; source: which, in words.
    CheckWindow(KeptRun games, const QString &source, QWidget *parent);

private:
    void checkGames();

    KeptRun m_games;
    QList<CheckedGame> m_checked;
    GameModel *m_model;
    QLineEdit *m_draw, *m_contest;
    QLabel *m_summary;
    QCheckBox *m_prizedOnly;
    QTableView *m_list;
};

} // namespace dezenario
