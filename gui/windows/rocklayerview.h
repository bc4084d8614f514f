#pragma once
// StringGrid_QB2 on screen: shows the rock-layer grid's cell texts, number cells with two
// decimals (the cell keeps its text), popup lists in the weathering and integrity columns, the
// share as a bar, and reports each finished edit. The grid data itself lives in the window.

#include "module2/rocklayergrid.h"

#include <QTableWidget>

#include <functional>

namespace sp::module2 {

class RockLayerView : public QTableWidget {
    Q_OBJECT
public:
    explicit RockLayerView(QWidget* parent = nullptr);

    // Shows the first `grid.layerCount()` rows of the grid.
    void show(const RockLayerGrid& grid);
    // Called when the engineer finished editing a cell (layer from 1).
    void onEdited(std::function<void(int layer, int column, const QString& text)> handler);

private:
    std::function<void(int, int, const QString&)> m_edited;
    bool m_filling = false;
};

} // namespace sp::module2
