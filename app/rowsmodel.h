#pragma once

#include <QAbstractTableModel>
#include <QStringList>

namespace dezenario {

// A table of words, a row a thing, as a view shows it and a screen reader reads it: the bolões,
// a bolão's games, its participants, their shares.
class RowsModel : public QAbstractTableModel
{
public:
    RowsModel(QStringList headers, QObject *parent)
        : QAbstractTableModel(parent), m_headers(std::move(headers))
    {
    }
    void setRows(QList<QStringList> rows)
    {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
    }
    const QList<QStringList> &rows() const { return m_rows; }
    int rowCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    int columnCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(m_headers.size());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        return orientation == Qt::Horizontal && role == Qt::DisplayRole ? m_headers.value(section)
                                                                        : QVariant();
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
            return QVariant();
        return m_rows.value(index.row()).value(index.column());
    }

private:
    QStringList m_headers;
    QList<QStringList> m_rows;
};

} // namespace dezenario
