#pragma once

#include <QDialog>
#include <QStringList>
#include <QVector>
#include <memory>

class QAbstractItemModel;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace db {
class Dataset;
class DatasetModel;
} // namespace db

namespace ui {

// "Hledat": looks for a text in one column of a list and hands back the row the user took.
// It works over any item model (a grid's model) or over a dataset with a list of its fields.
class SearchDialog : public QDialog {
    Q_OBJECT
public:
    struct Field {
        int column;       // column of the model
        QString caption;  // shown in the field list
    };

    SearchDialog(QAbstractItemModel* model, QVector<Field> fields, int startField, bool partial,
                 QWidget* parent = nullptr);
    // Over the named fields of a dataset (field names are the captions).
    SearchDialog(db::Dataset& ds, const QStringList& fieldNames, const QString& startField, bool partial,
                 QWidget* parent = nullptr);
    ~SearchDialog() override;

    void setSearchText(const QString& text);
    QString searchText() const;
    void setField(int index);          // index into the field list
    int field() const;
    void setPartial(bool on);          // anywhere in the text, else at its start
    bool partial() const;

    int matchCount() const;
    QString matchText(int match) const; // the searched column of a match
    void selectMatch(int match);
    int sourceRowOf(int match) const;

    // The row of the model the user took with "převzít"; -1 after "storno" or with no match.
    int foundRow() const { return found_; }

public slots:
    void prevzit();

private:
    void build(QAbstractItemModel* model, bool partial, int startField);
    void refilter();

    std::unique_ptr<db::DatasetModel> ownModel_;
    QAbstractItemModel* source_ = nullptr;
    QVector<Field> fields_;
    QSortFilterProxyModel* proxy_ = nullptr;
    QComboBox* fieldBox_ = nullptr;
    QLineEdit* text_ = nullptr;
    QCheckBox* partialBox_ = nullptr;
    QTableView* list_ = nullptr;
    QPushButton* takeButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    int found_ = -1;
};

} // namespace ui
