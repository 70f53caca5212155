#pragma once

#include "poolwindow.h"

#include <QDialog>

class QTableView;

namespace dezenario {

class RowsModel;

// BOLÕES: the bolões kept, by name, each with its contests, the cotas sold of all, those paid of
// those sold and the money won once checked; one that cannot be read is named so and the others
// still open. NOVO and ABRIR open a bolão (PoolWindow), EXCLUIR deletes one after asking.
class PoolsWindow : public QDialog
{
    Q_OBJECT
public:
    PoolsWindow(PoolWindow::Board board, QWidget *parent);

private:
    void listPools();
    void open(bool fresh);
    void remove();

    PoolWindow::Board m_board;
    QStringList m_files; // by row
    QList<bool> m_readable;
    RowsModel *m_model;
    QTableView *m_list;
};

} // namespace dezenario
