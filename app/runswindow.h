#pragma once

#include "pagerecorder.h"
#include "runstore.h"

#include <QDialog>
#include <QImage>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableView;

namespace dezenario {

class RunModel;
class SlipView;

// VOLANTES IMPRESSOS: the runs kept, newest first, with what each cost at the price of a simple
// bet (kept in the settings). A run chosen shows its slips as the printer for slips would print
// them now; IMPRIMIR DE NOVO prints the slips from one number to another there, with its values
// now and the marks of the first print, and keeps that as a run of its own. A run can be deleted.
// Nothing of the main window changes.
class RunsWindow : public QDialog
{
    Q_OBJECT
public:
    RunsWindow(QImage mark, QWidget *parent);

    // Shows a slip of the run chosen, from 0; one past either end shows the end.
    void showSlip(int slip);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void listRuns(int chosen);
    void choose(int row);
    // What the run chosen is and costs, or why none is shown.
    void tellAbout(int row);
    void reprint();
    void remove();
    QString chosenFile() const;

    QImage m_mark;
    RunStore m_store;
    KeptRun m_run; // the one chosen, whole; none when it cannot be read
    PageRecorder m_pages; // its slips as the job painted them
    int m_shown = 0;
    RunModel *m_model;
    QTableView *m_list;
    SlipView *m_view;
    QLabel *m_about;
    QSpinBox *m_from, *m_to;
    QLineEdit *m_price;
    QPushButton *m_reprint, *m_delete;
};

} // namespace dezenario
