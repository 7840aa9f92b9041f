#pragma once

#include "db/dataset.h"
#include "db/datasetmodel.h"

#include <QDialog>
#include <optional>

class QPushButton;

namespace app {
class Session;
}
namespace ui {
class DataGrid;
}

namespace stock {

// "Oprava": the list of stored documents of one type to pick one for correction. It opens on the
// newest number; "Vybrat" or a double-click takes the current row, "Storno" takes nothing.
class TForm3 : public QDialog {
    Q_OBJECT
public:
    TForm3(app::Session& s, const QString& listStatement, QWidget* parent = nullptr);

    db::Dataset& list() { return list_; }
    ui::DataGrid* DBGrid1() const { return grid_; }
    QPushButton* Vybrat() const { return vybrat_; }
    QPushButton* Storno() const { return storno_; }

    // The CISLO taken with "Vybrat"; none after "Storno" or with an empty list.
    std::optional<QString> chosen() const { return chosen_; }

    // Shows the list modally and returns the number taken.
    static std::optional<QString> pick(app::Session& s, const QString& listStatement, QWidget* parent);

private:
    void take();

    db::Dataset list_;
    db::DatasetModel model_;
    ui::DataGrid* grid_;
    QPushButton* vybrat_;
    QPushButton* storno_;
    std::optional<QString> chosen_;
};

} // namespace stock
