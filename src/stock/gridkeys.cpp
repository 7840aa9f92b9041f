#include "stock/gridkeys.h"

#include <QKeyEvent>

namespace stock {

GridKeyRules::GridKeyRules(ui::DataGrid* grid, QStringList tabColumns, QString quantityColumn)
    : ui::DataGridDelegate(grid), grid_(grid), tabColumns_(std::move(tabColumns)),
      quantityColumn_(std::move(quantityColumn)) {
    setBoldColumn(grid->gridDelegate()->boldColumn());
    grid_->setItemDelegate(this);
    grid_->installEventFilter(this);
    grid_->viewport()->installEventFilter(this);
}

bool GridKeyRules::onTab(QWidget* editor) {
    const QModelIndex cur = grid_->currentIndex();
    if (!cur.isValid() || !tabColumns_.contains(grid_->columnKey(cur.column()), Qt::CaseInsensitive))
        return false;
    if (editor) {
        // Keep what was typed, as leaving the cell otherwise would.
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
    const int q = grid_->columnOf(quantityColumn_);
    if (q >= 0) grid_->setCurrentIndex(grid_->model()->index(cur.row(), q));
    return true;
}

bool GridKeyRules::eventFilter(QObject* watched, QEvent* event) {
    const bool onGrid = watched == grid_ || watched == grid_->viewport();
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Down && key->modifiers() == Qt::NoModifier) {
            const int rows = grid_->model() ? grid_->model()->rowCount() : 0;
            if (rows == 0 || grid_->currentIndex().row() >= rows - 1) return true;
        } else if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            if (onTab(onGrid ? nullptr : qobject_cast<QWidget*>(watched))) return true;
        }
    }
    // The grid's own events are not an editor's: the delegate has nothing to do with them.
    if (onGrid) return false;
    return ui::DataGridDelegate::eventFilter(watched, event);
}

} // namespace stock
