#pragma once

#include "acrosscheck.h"

#include <QAbstractTableModel>

namespace dezenario {

// A row a game with a prize in a contest, as plain data: the contest, the game, its prizes and the
// money that contest paid for them.
class AcrossModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;
    void reset(AcrossCheck check)
    {
        beginResetModel();
        m_check = std::move(check);
        endResetModel();
    }
    const AcrossCheck &check() const { return m_check; }
    int rowCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(m_check.prized.size());
    }
    int columnCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : 9; }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal)
            return QVariant();
        if (role == Qt::UserRole) // the money column's name, for tests and screen readers
            return section == 8 ? QStringLiteral("Premios") : QVariant();
        if (role != Qt::DisplayRole)
            return QVariant();
        return QStringList { "CONCURSO", "VOLANTE", "JOGO",    "DEZENAS", "ACERTOS",
                             "SENAS",    "QUINAS",  "QUADRAS", "PRÊMIOS" }
                .value(section);
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
            return QVariant();
        const PrizedGame &prized = m_check.prized[index.row()];
        const CheckedGame &game = prized.game;
        switch (index.column()) {
        case 3:
            return numbersInWords(game);
        case 8:
            return moneyInWords(prized.centavos, prized.unpaid);
        default:
            const qint64 values[] = { m_check.contests[prized.contest].number,
                                      game.slip,
                                      game.game,
                                      0,
                                      game.hits,
                                      game.prizes.senas,
                                      game.prizes.quinas,
                                      game.prizes.quadras };
            return QString::number(values[index.column()]);
        }
    }

private:
    AcrossCheck m_check;
};

} // namespace dezenario
