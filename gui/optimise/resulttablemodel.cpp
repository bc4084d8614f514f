#include "optimise/resulttablemodel.h"

#include "optimise/results/sortstate.h"

namespace sp::optimise {

ResultTableModel::ResultTableModel(const ResultTable* table, ModuleKind module, QObject* parent)
    : QAbstractTableModel(parent), m_table(table), m_module(module) {}

void ResultTableModel::refresh() {
    beginResetModel();
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, kResultColumns - 1);
}

int ResultTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_table->rowCount());
}

int ResultTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kResultColumns; }

QVariant ResultTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(m_table->cell(row, index.column()));
    case Qt::TextAlignmentRole:
        return resultColumns(m_module)[static_cast<std::size_t>(index.column())].centred
                   ? QVariant(Qt::AlignCenter)
                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        return m_rowColour ? m_rowColour(row) : QVariant();
    default:
        return {};
    }
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromStdString(m_table->header(section));
}

} // namespace sp::optimise
