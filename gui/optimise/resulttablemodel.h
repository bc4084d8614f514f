#pragma once
// A result table of the optimisation page as a Qt model: cells are formatted by the engine when
// the view asks for them, so a million candidates cost no widget items.

#include "optimise/modulekind.h"
#include "optimise/results/resulttable.h"

#include <QAbstractTableModel>

#include <functional>

namespace sp::optimise {

class ResultTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // `table` is the engine's table, owned by the page and read on demand.
    ResultTableModel(const ResultTable* table, ModuleKind module, QObject* parent = nullptr);

    // The text colour of a row, where a module marks rows (empty: the view's own).
    void setRowColour(std::function<QVariant(std::size_t row)> colour) { m_rowColour = std::move(colour); }
    // The table's rows, order or headers changed.
    void refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const ResultTable* m_table;
    ModuleKind m_module;
    std::function<QVariant(std::size_t)> m_rowColour;
};

} // namespace sp::optimise
