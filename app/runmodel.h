#pragma once

#include "runstore.h"

#include <QAbstractTableModel>

namespace dezenario {

// A row a run kept, as plain data; the cost at the price of the moment.
class RunModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;
    QList<RunStore::Listed> runs;
    qint64 price = 600;

    void reset(QList<RunStore::Listed> listed)
    {
        beginResetModel();
        runs = std::move(listed);
        endResetModel();
    }
    int rowCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(runs.size());
    }
    int columnCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : 5; }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return QVariant();
        return QStringList { "QUANDO", "IMPRESSORA", "VOLANTES", "JOGOS", "CUSTO" }.value(section);
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
            return QVariant();
        const RunStore::Listed &run = runs[index.row()];
        if (!run.readable)
            return index.column() ? QVariant()
                                  : QVariant(QStringLiteral("ILEGÍVEL: %1").arg(run.file));
        switch (index.column()) {
        case 0:
            return run.header.when.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"))
                    + (run.header.reprintOf.isEmpty() ? QString() : QStringLiteral(" (DE NOVO)"));
        case 1:
            return run.header.printer;
        case 2:
            return QString::number(run.slips);
        case 3:
            return QStringLiteral("%1 DE %2").arg(run.games).arg(run.header.numbersPerGame);
        default:
            return reais(costInCentavos(run.games, run.header.numbersPerGame, price));
        }
    }
};

} // namespace dezenario
