#pragma once

#include <QColor>
#include <QStringList>
#include <QStyledItemDelegate>
#include <QTableView>

namespace db {
class DatasetModel;
}

namespace ui {

// Paints the selected row light green with black text and one column in bold.
class DataGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void setBoldColumn(int column) { bold_ = column; }
    int boldColumn() const { return bold_; }
    // The option a cell is painted with (colours and font as the user sees them).
    QStyleOptionViewItem optionFor(const QStyleOptionViewItem& base, const QModelIndex& index) const;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    int bold_ = -1;
};

// The grid of every window: whole rows selected in light green, an optional bold column, titles
// that can be clicked, the column layout saved into and loaded from a small file, and, bound to a
// db::DatasetModel, the dataset's cursor following the selected row and back.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    static QColor selectedBackground() { return QColor(0x90, 0xEE, 0x90); }

    explicit DataGrid(QWidget* parent = nullptr);

    // Shows the model and ties the selected row to its dataset's cursor.
    void setDatasetModel(db::DatasetModel* model);
    db::DatasetModel* datasetModel() const { return dsModel_; }
    // Selects the dataset's current row (after the dataset moved or was reloaded).
    void syncToDataset();

    // A column by its field name (DatasetModel) or its title.
    int columnOf(const QString& key) const;
    QString columnKey(int column) const;

    void setBoldColumn(const QString& key);
    DataGridDelegate* gridDelegate() const { return delegate_; }

    // Titles that react to a click (titleClicked) and show a hand cursor.
    void setClickableTitles(const QStringList& keys);
    const QStringList& clickableTitles() const { return clickable_; }

    // The column layout: order, widths and hidden columns, by column key. Loading ignores
    // columns the file does not know and entries the grid does not have.
    bool saveLayout(const QString& path) const;
    bool loadLayout(const QString& path);

signals:
    void titleClicked(const QString& key);
    void rowDoubleClicked(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void currentRowMoved(const QModelIndex& current);

    DataGridDelegate* delegate_;
    db::DatasetModel* dsModel_ = nullptr;
    QStringList clickable_;
    bool syncing_ = false;
};

} // namespace ui
