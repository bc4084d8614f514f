#include "windows/rocklayerview.h"

#include "core/numbers.h"
#include "module2/module2form.h"
#include "module2/module2settings.h"
#include "optimise/columnwidths.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>

namespace sp::module2 {

namespace {

bool isNumberColumn(int column) {
    return column != kColLayer && column != kColWeathering && column != kColIntegrity && column != kColShare &&
           column != kColShareBar && column != kColRemark && column != kColHardness;
}

// Number cells show two decimals; the popup columns offer their lists; the share column is a bar.
class CellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const int column = index.column();
        if (isNumberColumn(column)) {
            if (const auto v = core::readStrict(option->text.toStdString()))
                option->text = QString::number(*v, 'f', 2);
        }
        option->displayAlignment = (column <= kColShare ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        if (index.column() != kColShareBar) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const std::string text = index.data().toString().toStdString();
        const double share = core::readLenient(text.empty() || text.back() != '%' ? text : text.substr(0, text.size() - 1));
        QStyleOptionProgressBar bar;
        bar.rect = option.rect.adjusted(2, 3, -2, -3);
        bar.minimum = 0;
        bar.maximum = 100;
        bar.progress = static_cast<int>(share < 0 ? 0 : (share > 100 ? 100 : share));
        bar.state = option.state | QStyle::State_Horizontal;
        QApplication::style()->drawControl(QStyle::CE_ProgressBar, &bar, painter);
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const int column = index.column();
        if (column == kColWeathering || column == kColIntegrity) {
            auto* box = new QComboBox(parent);
            for (const auto& item : column == kColWeathering ? weatheringItems() : integrityClassItems())
                box->addItem(QString::fromStdString(item));
            return box;
        }
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            // Number cells take numeric keystrokes only.
            static const QRegularExpression numeric(QStringLiteral("^-?[0-9]*\\.?[0-9]*$"));
            line->setValidator(new QRegularExpressionValidator(numeric, line));
        }
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            box->setCurrentText(index.data().toString());
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            model->setData(index, box->currentText());
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }
};

} // namespace

RockLayerView::RockLayerView(QWidget* parent) : QTableWidget(kMaxLayers, kColumnCount, parent) {
    setObjectName(QStringLiteral("StringGrid_QB2"));
    setItemDelegate(new CellDelegate(this));
    QStringList headers;
    for (int column = 0; column < kColumnCount; ++column)
        headers << QString::fromUtf8(columnHeader(column));
    setHorizontalHeaderLabels(headers);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(24);
    horizontalHeader()->setSectionsMovable(false);
    // Each column is widened to its header and, for numbers, its widest value.
    for (int column = 0; column < kColumnCount; ++column) {
        const int designed = module2::columnWidth(column);
        const QStringList cells = isNumberColumn(column) ? QStringList{optimise::widestTwoDecimalValue()} : QStringList{};
        setColumnWidth(column, optimise::fittedColumnWidth(*this, *horizontalHeader(), cells, {headers[column]},
                                                           designed ? designed : columnWidth(column)));
    }
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!m_filling && m_edited)
            m_edited(item->row() + 1, item->column(), item->text());
    });
}

void RockLayerView::onEdited(std::function<void(int, int, const QString&)> handler) { m_edited = std::move(handler); }

void RockLayerView::show(const RockLayerGrid& grid) {
    m_filling = true;
    setRowCount(grid.layerCount());
    for (int row = 0; row < grid.layerCount(); ++row) {
        for (int column = 0; column < kColumnCount; ++column) {
            QTableWidgetItem* cell = item(row, column);
            if (!cell) {
                cell = new QTableWidgetItem;
                setItem(row, column, cell);
            }
            cell->setText(QString::fromStdString(grid.cell(row + 1, column)));
            Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
            if (cellEditable(column))
                flags |= Qt::ItemIsEditable;
            cell->setFlags(flags);
        }
    }
    m_filling = false;
}

} // namespace sp::module2
