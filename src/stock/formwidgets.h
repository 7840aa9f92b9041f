#pragma once

#include <QLineEdit>
#include <QPushButton>

// Small builders for the stock windows' controls, named by their component names.
namespace stock::form {

// A command button that Enter in a field does not press.
inline QPushButton* button(QWidget* parent, const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

// A text field that accepts no more than its column holds.
inline QLineEdit* lineEdit(QWidget* parent, const QString& name, int maxLength) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMaxLength(maxLength);
    return e;
}

} // namespace stock::form
