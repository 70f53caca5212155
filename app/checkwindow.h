#pragma once

#include "acrosscheck.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;

namespace dezenario {

class AcrossModel;
class GameModel;

// CONFERIR: the games of the text or of a kept run, as the slips mark them, checked against the
// six numbers drawn: a summary of the senas, quinas and quadras, counted as the lottery pays, and
// every game with its hits; copied as text or saved as CSV. Or against the contests kept: one, a
// range, a Teimosinha, those after a run was printed, or all, with the money each paid. Nothing of
// the main window changes.
class CheckWindow : public QDialog
{
    Q_OBJECT
public:
    // games: a run kept, or the text's games as IMPRIMIR would print them; source: which, in words.
    CheckWindow(KeptRun games, const QString &source, QWidget *parent);

private:
    void checkGames();
    void checkContests();
    void chooseContests(int way);
    qint64 costOfGames() const; // in one contest

    KeptRun m_games;
    QList<CheckedGame> m_checked;
    GameModel *m_model;
    AcrossModel *m_across;
    QComboBox *m_way, *m_count;
    QLineEdit *m_draw, *m_contest, *m_first, *m_last;
    QLabel *m_summary;
    QCheckBox *m_prizedOnly;
    QTableView *m_list;
};

} // namespace dezenario
