#include "ui/dialogprompter.h"

#include "ui/inputbox.h"
#include "ui/messagedialog.h"

#include <QApplication>

namespace ui {

QWidget* DialogPrompter::owner() const {
    if (QWidget* w = QApplication::activeModalWidget()) return w;
    if (QWidget* w = QApplication::activeWindow()) return w;
    return parent_.data();
}

int DialogPrompter::ask(const Message& m) {
    // A dialog of its own each time: a message shown while another is open must not change it.
    MessageDialog d(owner());
    return d.execute(m);
}

std::optional<QString> DialogPrompter::input(const QString& caption, const QString& prompt, const QString& value) {
    InputBox box(owner(), {}, caption, prompt);
    box.setValueText(value);
    return box.execute();
}

} // namespace ui
