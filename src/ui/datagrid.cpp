#include "ui/datagrid.h"

#include "core/inifile.h"
#include "db/datasetmodel.h"

#include <QEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>

namespace ui {

void DataGridDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (index.column() == bold_) option->font.setBold(true);
    if (option->state & QStyle::State_Selected) {
        // Same colours whether or not the grid has the focus: the user must see which row is taken.
        for (auto group : {QPalette::Active, QPalette::Inactive}) {
            option->palette.setColor(group, QPalette::Highlight, DataGrid::selectedBackground());
            option->palette.setColor(group, QPalette::HighlightedText, Qt::black);
        }
    }
}

QStyleOptionViewItem DataGridDelegate::optionFor(const QStyleOptionViewItem& base, const QModelIndex& index) const {
    QStyleOptionViewItem o = base;
    initStyleOption(&o, index);
    return o;
}

DataGrid::DataGrid(QWidget* parent) : QTableView(parent), delegate_(new DataGridDelegate(this)) {
    setItemDelegate(delegate_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setMinimumWidth(12);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->viewport()->setMouseTracking(true);
    horizontalHeader()->viewport()->installEventFilter(this);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        const QString key = columnKey(section);
        if (clickable_.contains(key, Qt::CaseInsensitive)) emit titleClicked(key);
    });
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) {
        if (i.isValid()) emit rowDoubleClicked(i.row());
    });
}

void DataGrid::setDatasetModel(db::DatasetModel* model) {
    dsModel_ = model;
    setModel(model);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current, const QModelIndex&) { currentRowMoved(current); });
    syncToDataset();
}

void DataGrid::currentRowMoved(const QModelIndex& current) {
    if (syncing_ || !dsModel_ || !current.isValid()) return;
    auto& ds = dsModel_->dataset();
    if (ds.recNo() != current.row()) ds.setRecNo(current.row());
}

void DataGrid::syncToDataset() {
    if (!dsModel_) return;
    const int row = dsModel_->dataset().recNo();
    syncing_ = true;
    if (row >= 0 && row < model()->rowCount()) {
        const int col = std::max(currentIndex().column(), 0);
        const QModelIndex idx = model()->index(row, std::min(col, std::max(model()->columnCount() - 1, 0)));
        selectionModel()->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(idx);
    } else {
        selectionModel()->clear();
    }
    syncing_ = false;
}

int DataGrid::columnOf(const QString& key) const {
    if (!model()) return -1;
    for (int c = 0; c < model()->columnCount(); ++c)
        if (columnKey(c).compare(key, Qt::CaseInsensitive) == 0) return c;
    return -1;
}

QString DataGrid::columnKey(int column) const {
    if (!model() || column < 0 || column >= model()->columnCount()) return {};
    if (dsModel_ && model() == dsModel_) return dsModel_->columns()[column].field;
    return model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

void DataGrid::setBoldColumn(const QString& key) {
    delegate_->setBoldColumn(columnOf(key));
    viewport()->update();
}

void DataGrid::setClickableTitles(const QStringList& keys) { clickable_ = keys; }

bool DataGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == horizontalHeader()->viewport()) {
        if (event->type() == QEvent::MouseMove) {
            const auto* me = static_cast<QMouseEvent*>(event);
            const int section = horizontalHeader()->logicalIndexAt(me->position().toPoint());
            if (clickable_.contains(columnKey(section), Qt::CaseInsensitive))
                horizontalHeader()->viewport()->setCursor(Qt::PointingHandCursor);
            else
                horizontalHeader()->viewport()->unsetCursor();
        } else if (event->type() == QEvent::Leave) {
            horizontalHeader()->viewport()->unsetCursor();
        }
    }
    return QTableView::eventFilter(watched, event);
}

// The layout file: section "Columns", one key per column, "visual position,width,hidden".
bool DataGrid::saveLayout(const QString& path) const {
    if (!model()) return false;
    core::IniFile ini(path);
    const auto* h = horizontalHeader();
    for (int c = 0; c < model()->columnCount(); ++c)
        ini.writeString("Columns", columnKey(c),
                        QString("%1,%2,%3").arg(h->visualIndex(c)).arg(columnWidth(c)).arg(isColumnHidden(c) ? 1 : 0));
    return ini.save();
}

bool DataGrid::loadLayout(const QString& path) {
    if (!model()) return false;
    core::IniFile ini(path);
    ini.load();
    if (!ini.sectionExists("Columns")) return false;
    struct Entry {
        int column, visual, width;
        bool hidden;
    };
    QVector<Entry> entries;
    for (int c = 0; c < model()->columnCount(); ++c) {
        const QStringList parts = ini.readString("Columns", columnKey(c)).split(',');
        if (parts.size() != 3) continue;
        bool ok1, ok2, ok3;
        const int visual = parts[0].toInt(&ok1), width = parts[1].toInt(&ok2), hidden = parts[2].toInt(&ok3);
        if (!ok1 || !ok2 || !ok3) continue;
        entries.push_back({c, visual, width, hidden != 0});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.visual < b.visual; });
    auto* h = horizontalHeader();
    for (const auto& e : entries) {
        if (e.width > 0 && e.width < 5000) setColumnWidth(e.column, e.width);
        setColumnHidden(e.column, e.hidden);
        const int target = std::clamp(e.visual, 0, model()->columnCount() - 1);
        h->moveSection(h->visualIndex(e.column), target);
    }
    return !entries.isEmpty();
}

} // namespace ui
