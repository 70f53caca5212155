#pragma once

#include "systemprinter.h"

#include <QDialog>
#include <QImage>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;

namespace dezenario {

// AJUSTAR VOLANTES: the printer for slips, and how far its marks move and stretch. It shows the
// saved values of the printer chosen in it, prints the test sheet with the values typed, and saves
// them on OK once they keep every mark on that printer's paper. The printers are listed on a
// thread of their own, so the dialog opens at once however slow the network is.
class AdjustDialog : public QDialog
{
    Q_OBJECT
public:
    // mark: the mark that the slips and the test sheet print, whose size counts in the checks.
    AdjustDialog(QImage mark, QWidget *parent);

    void accept() override;

private:
    void listed(const SystemPrinter::Installed &installed);
    // Every control but CANCELAR works only once the printers are listed.
    void setListed(bool listed);
    void showSaved();
    void printTestSheet();
    QString chosen() const; // empty for the system's default
    QString printer() const; // as the system names it
    Alignment typed() const;
    // The printer chosen here, with the values typed, saved or not.
    SystemPrinter typedPrinter() const;
    void setTyped(const Alignment &alignment);

    QImage m_mark;
    QString m_systemDefault;
    QComboBox *m_printer;
    QDoubleSpinBox *m_right, *m_down, *m_width, *m_height;
    QLabel *m_notice;
    QPushButton *m_testSheet, *m_reset, *m_ok;
};

} // namespace dezenario
