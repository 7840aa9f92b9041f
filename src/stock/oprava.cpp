#include "stock/oprava.h"

#include "app/session.h"
#include "ui/datagrid.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

namespace stock {

TForm3::TForm3(app::Session& s, const QString& listStatement, QWidget* parent)
    : QDialog(parent), list_(s.conn(), listStatement), model_(list_) {
    setObjectName("TForm3");
    setWindowTitle("Oprava");
    resize(420, 480);

    grid_ = new ui::DataGrid(this);
    grid_->setObjectName("DBGrid1");
    vybrat_ = new QPushButton("Vybrat", this);
    vybrat_->setObjectName("Button1");
    vybrat_->setDefault(true);
    storno_ = new QPushButton("Storno", this);
    storno_->setObjectName("Button2");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(vybrat_);
    buttons->addWidget(storno_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addLayout(buttons);

    list_.open();
    list_.last();
    model_.setColumns({{"CISLO", "Číslo dokladu", {}, false, 110, {}},
                       {"datum", "Datum", {}, false, 100, {}},
                       {"TYP", "Typ", {}, false, 50, {}}});
    grid_->setDatasetModel(&model_);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->syncToDataset();

    connect(vybrat_, &QPushButton::clicked, this, &TForm3::take);
    connect(storno_, &QPushButton::clicked, this, &QDialog::reject);
    connect(grid_, &ui::DataGrid::rowDoubleClicked, this, [this](int row) {
        list_.setRecNo(row);
        take();
    });
}

void TForm3::take() {
    if (list_.recNo() < 0) {
        reject();
        return;
    }
    chosen_ = list_.text("CISLO");
    accept();
}

std::optional<QString> TForm3::pick(app::Session& s, const QString& listStatement, QWidget* parent) {
    TForm3 f(s, listStatement, parent);
    f.exec();
    return f.chosen();
}

} // namespace stock
