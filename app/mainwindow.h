// How the rooms meet: the command logic (analysis/, slip/, commands/) knows the
// window and the printer only through the small interfaces of core/controls.h.
// This window is a humble view: each click handler wraps the controls in the Qt
// adapters (qttextbox.h for Text1, qtadapters.h for the rest), takes the
// system's printer from printer/, hands them to the command, and shows a
// CommandError in an error box. The adapters gather a command's many small
// edits and repaint once a frame; they flush what is left when the click ends,
// even on failure. The menu bar above the form opens AJUSTAR VOLANTES
// (adjustdialog.h), which keeps the printer for slips and its alignment in
// alignment/; IMPRIMIR hands both to the printer, which alone places the marks.
// VISUALIZAR VOLANTES runs the print job on copies (slip/slippreview.h) and
// draws its slips through the printer's own page path (previewwindow.h).
// FECHAMENTO (wheelwindow.h) shows the wheel room's search and puts its games in Text1.
#pragma once

#include "poolwindow.h"
#include "slippreview.h"

#include <QWidget>
#include <functional>
#include <memory>

namespace Ui {
class Form1;
}

namespace dezenario {

class QtSpeaker;
struct KeptRun;

class MainWindow : public QWidget
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The sound of the commands; tests listen to it.
    QtSpeaker *speaker() const { return m_speaker; }
    // Runs a command, and shows its error in an error box; tests run their own commands too.
    void runCommand(const std::function<void()> &command);

private slots:
    void analyse();
    void print();
    void clear();
    void visit();
    void adjust();
    void preview();
    void printedRuns();
    void check();
    void importResults();
    void statistics();
    void wheel();
    void pools();
    void about();

private:
    void addMenuBar();
    // The slips that IMPRIMIR would print from the text, its progress shown when long; none when
    // the user gives up. also: told all that the slips are.
    std::optional<SlipPreview> slipsOfText(PrintObserver *also = nullptr);
    // The text box as a bolão sees it: its games, and a place for the bolão's own.
    PoolWindow::Board poolBoard();
    // A run just kept goes to the bolão whose games were put into the text box, if it printed them.
    void linkToPool(const KeptRun &run, const QString &runFile);
    // Asks over the window given before the text box's text is replaced by `what`; false when the
    // user would not.
    bool mayReplaceText(QWidget *asker, const QString &what);

    std::unique_ptr<Ui::Form1> m_ui;
    QtSpeaker *m_speaker;
    QString m_poolToLink; // the file of the bolão whose games are in the text box, until printed
};

// The style and font the window's layout is measured for, and Portuguese for
// Qt's own texts (the text box's context menu), whatever the system's locale.
void setUpApplication();

} // namespace dezenario
