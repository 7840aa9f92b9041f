#include "ui/rowstoreerror.h"

#include "db/datasetmodel.h"
#include "ui/messagedialog.h"
#include "ui/unhandled.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QTimer>

namespace ui {

void zadne(Prompter& p, const QString& text) {
    Message m = dialogs::zadne();
    m.text = text;
    p.ask(m);
}

std::function<void(const db::Error&)> rowStoreError(Prompter& p, const QString& text) {
    return [&p, text](const db::Error&) { zadne(p, text); };
}

namespace {

// Opens the cell again with what the user typed. Runs after the view has closed the editor.
void reopen(QAbstractItemView* view, const QPersistentModelIndex& index, const QString& typed) {
    if (!view || !index.isValid()) return;
    view->setCurrentIndex(index);
    view->edit(index);
    for (auto* e : view->viewport()->findChildren<QLineEdit*>()) {
        if (e->isHidden()) continue;
        e->setText(typed);
        e->selectAll();
    }
}

} // namespace

void guardGridEditing(QAbstractItemView& view, db::DatasetModel& model, Prompter& p, const QString& text) {
    model.storeError = rowStoreError(p, text);
    QPointer<QAbstractItemView> v(&view);
    model.conversionError = [v](const db::ConversionError& e) {
        reportUnhandled(v.data(), std::make_exception_ptr(e));
    };
    QObject::connect(&model, &db::DatasetModel::editRejected, &view,
                     [v](const QModelIndex& index, const QVariant& value) {
                         const QPersistentModelIndex at(index);
                         const QString typed = value.toString();
                         QTimer::singleShot(0, v.data(), [v, at, typed] { reopen(v.data(), at, typed); });
                     });
}

} // namespace ui
