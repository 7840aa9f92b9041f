#pragma once

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace cards {

// "Uložit" (Button1, the default) and "storno" (Button2, closes without saving) of the article and
// card windows, right-aligned in a row for the window's layout.
template <class Window>
QHBoxLayout* saveAndCancelButtons(Window* w, QPushButton*& save, QPushButton*& cancel, void (Window::*onSave)()) {
    save = new QPushButton("Uložit", w);
    save->setObjectName("Button1");
    save->setDefault(true);
    cancel = new QPushButton("storno", w);
    cancel->setObjectName("Button2");
    QObject::connect(save, &QPushButton::clicked, w, onSave);
    QObject::connect(cancel, &QPushButton::clicked, w, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(save);
    row->addWidget(cancel);
    return row;
}

} // namespace cards
