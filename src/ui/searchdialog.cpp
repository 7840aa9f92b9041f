#include "ui/searchdialog.h"

#include "db/datasetmodel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

namespace ui {

SearchDialog::SearchDialog(QAbstractItemModel* model, QVector<Field> fields, int startField, bool partial,
                           QWidget* parent)
    : QDialog(parent), fields_(std::move(fields)) {
    build(model, partial, startField);
}

SearchDialog::SearchDialog(db::Dataset& ds, const QStringList& fieldNames, const QString& startField, bool partial,
                           QWidget* parent)
    : QDialog(parent), ownModel_(std::make_unique<db::DatasetModel>(ds)) {
    QVector<db::DatasetModel::Column> cols;
    int start = 0;
    for (int i = 0; i < fieldNames.size(); ++i) {
        cols.push_back({fieldNames[i], fieldNames[i], {}, false, 0, {}});
        fields_.push_back({i, fieldNames[i]});
        if (fieldNames[i].compare(startField, Qt::CaseInsensitive) == 0) start = i;
    }
    ownModel_->setColumns(cols);
    build(ownModel_.get(), partial, start);
}

SearchDialog::~SearchDialog() = default;

void SearchDialog::build(QAbstractItemModel* model, bool partial, int startField) {
    source_ = model;
    setWindowTitle("Hledat");
    setObjectName("Hledat");

    fieldBox_ = new QComboBox(this);
    fieldBox_->setObjectName("ComboBox1");
    for (const auto& f : fields_) fieldBox_->addItem(f.caption);
    text_ = new QLineEdit(this);
    text_->setObjectName("Edit1");
    partialBox_ = new QCheckBox("hledat v části textu", this);
    partialBox_->setObjectName("CheckBox1");
    partialBox_->setChecked(partial);

    proxy_ = new QSortFilterProxyModel(this);
    proxy_->setSourceModel(model);
    proxy_->setFilterCaseSensitivity(Qt::CaseInsensitive);
    list_ = new QTableView(this);
    list_->setObjectName("DBGrid1");
    list_->setModel(proxy_);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->verticalHeader()->hide();
    // Only the offered fields are listed.
    for (int c = 0; c < model->columnCount(); ++c) {
        bool offered = false;
        for (const auto& f : fields_) offered |= f.column == c;
        list_->setColumnHidden(c, !offered);
    }

    takeButton_ = new QPushButton("převzít", this);
    takeButton_->setObjectName("Button1");
    takeButton_->setDefault(true);
    cancelButton_ = new QPushButton("storno", this);
    cancelButton_->setObjectName("Button2");

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Hledat v:", this));
    top->addWidget(fieldBox_);
    top->addWidget(text_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(partialBox_);
    buttons->addStretch();
    buttons->addWidget(takeButton_);
    buttons->addWidget(cancelButton_);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(top);
    lay->addWidget(list_, 1);
    lay->addLayout(buttons);
    resize(520, 420);

    connect(fieldBox_, &QComboBox::currentIndexChanged, this, [this] { refilter(); });
    connect(text_, &QLineEdit::textChanged, this, [this] { refilter(); });
    connect(partialBox_, &QCheckBox::toggled, this, [this] { refilter(); });
    connect(takeButton_, &QPushButton::clicked, this, &SearchDialog::prevzit);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(list_, &QTableView::doubleClicked, this, &SearchDialog::prevzit);

    fieldBox_->setCurrentIndex(std::clamp(startField, 0, std::max(int(fields_.size()) - 1, 0)));
    refilter();
    text_->setFocus();
}

void SearchDialog::refilter() {
    const int f = fieldBox_->currentIndex();
    if (f < 0 || f >= fields_.size()) return;
    proxy_->setFilterKeyColumn(fields_[f].column);
    const QString escaped = QRegularExpression::escape(text_->text());
    proxy_->setFilterRegularExpression(
        QRegularExpression(partialBox_->isChecked() ? escaped : "^" + escaped, QRegularExpression::CaseInsensitiveOption));
    proxy_->sort(fields_[f].column, Qt::AscendingOrder);
    if (proxy_->rowCount() > 0) selectMatch(0);
}

void SearchDialog::setSearchText(const QString& text) { text_->setText(text); }
QString SearchDialog::searchText() const { return text_->text(); }
void SearchDialog::setField(int index) { fieldBox_->setCurrentIndex(index); }
int SearchDialog::field() const { return fieldBox_->currentIndex(); }
void SearchDialog::setPartial(bool on) { partialBox_->setChecked(on); }
bool SearchDialog::partial() const { return partialBox_->isChecked(); }
int SearchDialog::matchCount() const { return proxy_->rowCount(); }

QString SearchDialog::matchText(int match) const {
    return proxy_->data(proxy_->index(match, proxy_->filterKeyColumn())).toString();
}

void SearchDialog::selectMatch(int match) {
    if (match < 0 || match >= proxy_->rowCount()) return;
    list_->selectRow(match);
    list_->setCurrentIndex(proxy_->index(match, proxy_->filterKeyColumn()));
}

int SearchDialog::sourceRowOf(int match) const {
    if (match < 0 || match >= proxy_->rowCount()) return -1;
    return proxy_->mapToSource(proxy_->index(match, 0)).row();
}

void SearchDialog::prevzit() {
    const QModelIndex cur = list_->currentIndex();
    const int match = cur.isValid() ? cur.row() : (proxy_->rowCount() > 0 ? 0 : -1);
    found_ = sourceRowOf(match);
    if (found_ < 0) return;   // nothing matches: the dialog stays for another text
    accept();
}

} // namespace ui
