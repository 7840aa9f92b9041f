#pragma once

#include "ui/datagrid.h"

#include <QObject>
#include <QStringList>

namespace stock {

// The keyboard rules of the document grids: Down on the last line (or in an empty grid) does
// nothing, so the grid never grows a line by itself; Tab in one of the number columns stays on
// the line and goes back to the quantity column, also out of an open cell editor (the grid's
// delegate sees the editor's keys first, so it is replaced by one that knows the rule).
class GridKeyRules : public ui::DataGridDelegate {
public:
    GridKeyRules(ui::DataGrid* grid, QStringList tabColumns, QString quantityColumn);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool onTab(QWidget* editor);

    ui::DataGrid* grid_;
    QStringList tabColumns_;
    QString quantityColumn_;
};

} // namespace stock
