#pragma once

#include "db/error.h"
#include "ui/prompter.h"

#include <functional>

class QAbstractItemView;

namespace db {
class DatasetModel;
}

namespace ui {

// The texts of the document grids' stop box (they end with a blank).
inline const QString kRowErrorItem = QStringLiteral("Chyba ve vyplnění položky! ");      // buffer, receipt
inline const QString kRowErrorQuantity = QStringLiteral("Chyba ve vyplněném množství! "); // issue, from norms

// The stop box zadne: caption "Talírka", one button "ok".
void zadne(Prompter& p, const QString& text);

// For db::DatasetModel::storeError: a row the database refused shows zadne with the window's text
// and nothing else; the model does not take the edit.
std::function<void(const db::Error&)> rowStoreError(Prompter& p, const QString& text);

// What a document grid does with a cell it cannot store: a row the database refuses shows zadne, a
// value that is not a number goes to the handler of unexpected errors (which only warns about the
// quantity columns). In both cases the cell opens again with the rejected text, so the line stays
// in editing until the user corrects it or leaves it with Esc. The view must show the model.
void guardGridEditing(QAbstractItemView& view, db::DatasetModel& model, Prompter& p, const QString& text);

} // namespace ui
