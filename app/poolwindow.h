#pragma once

#include "pool.h"

#include <QDialog>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;

namespace dezenario {

class RowsModel;

// A bolão: its name, organizer, contests, cotas and fee, its games brought from the text box,
// its participants, the price of a cota and whether it fits the Bolão CAIXA's rules. SALVAR keeps
// it whole, or tells what is wrong and keeps nothing; COMPROVANTES saves a page a participant
// as PDF; COPIAR PARA O GRUPO copies it as text; CONFERIR ESTE BOLÃO checks it against the
// contests kept and shows each participant's share.
class PoolWindow : public QDialog
{
    Q_OBJECT
public:
    // What the bolão asks of the main window's text box.
    struct Board
    {
        // Its games as IMPRIMIR reads them; nothing when the user gave the reading up. Throws
        // CommandError when the text has more than one print takes.
        std::function<std::optional<std::vector<std::vector<int>>>()> games;
        // Puts the games of the bolão kept in file into it, for slips of so many numbers, so that
        // the run printed from them is linked to the bolão; false when the user would not have
        // its text replaced.
        std::function<bool(QWidget *asker, const QString &games, int perGame, const QString &file)>
                put;
    };
    // What exec gives when the bolão's games were put into the text box, to be printed.
    static constexpr int PutOnBoard = 2;
    // file: where the bolão is kept; none for a new one.
    PoolWindow(pool::Pool pool, QString file, Board board, QWidget *parent);
    const QString &file() const { return m_file; }

private:
    // The bolão as the fields give it; throws CommandError naming what cannot be read.
    pool::Pool typed() const;
    void showPool(); // the lists and the words that follow what is typed
    void addParticipant();
    void removeParticipant();
    void save();
    void receipts(bool onPrinter); // or as PDF
    void check();
    void fromRun(); // the games of a run kept, which is then the bolão's print
    void toBoard(); // kept first, so that the run printed from it finds it
    void showPrinted(); // when and where its games were printed, if they were

    pool::Pool m_pool; // the games and the participants; the fields hold the rest
    QString m_file;
    Board m_board;
    QLineEdit *m_name, *m_organizer, *m_contest, *m_cotas, *m_fee;
    QComboBox *m_contests;
    QLabel *m_price, *m_rules, *m_printed, *m_result;
    RowsModel *m_games, *m_participants, *m_shares;
    QTableView *m_participantsView;
    QLineEdit *m_who, *m_whoCotas, *m_note;
    QCheckBox *m_paid;
    QComboBox *m_how;
};

} // namespace dezenario
