#pragma once

#include "wheeljob.h"

#include <QDialog>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class QTimer;

namespace dezenario {

class WheelModel;

// FECHAMENTO: the numbers the player chose and the guarantee asked for; the search runs as a job
// of the wheel room, on threads of its own, and the window only asks how far it is, twice a second
// and more, and shows the wheel once it is checked: its games, a summary, the chances. The games
// go to the main window's text as IMPRIMIR reads them, or are copied, or saved as CSV.
class WheelWindow : public QDialog
{
    Q_OBJECT
public:
    // Puts the games into the main window's text for slips of so many numbers, asking over the
    // window given when the text is not empty; false when the user said no.
    using ToText = std::function<bool(QWidget *asker, const QString &games, int perGame)>;
    // Opens a new bolão with the games, over the window given; true when the bolão's games went
    // on into the main window's text, to be printed (this window then closes).
    using ToPool = std::function<bool(QWidget *asker, const std::vector<std::vector<int>> &games)>;
    WheelWindow(int perGame, ToText toText, ToPool toPool, QWidget *parent);
    ~WheelWindow() override;

    void done(int result) override; // ends the search first

private:
    void search();
    void searchMore();
    void poll();
    void showResult(const wheel::WheelResult &result);
    void followGuarantee();
    void enableButtons();

    ToText m_toText;
    ToPool m_toPool;
    std::unique_ptr<wheel::WheelJob> m_job;
    std::vector<int> m_chosen; // of the job
    std::shared_ptr<const wheel::WheelResult> m_shown;
    std::vector<std::vector<int>> m_games; // the shown wheel's, on the numbers chosen
    WheelModel *m_model;
    QLineEdit *m_numbers;
    QComboBox *m_perGame, *m_guarantee, *m_condition;
    QProgressBar *m_progress;
    QLabel *m_summary, *m_chances;
    QTableView *m_list;
    QPushButton *m_search, *m_stop, *m_more, *m_toTextButton, *m_toPoolButton, *m_copy,
            *m_saveButton;
    QTimer *m_timer;
};

} // namespace dezenario
