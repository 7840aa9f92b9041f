#pragma once

#include "ui/prompter.h"

#include <QPointer>
#include <QWidget>

namespace ui {

class MessageDialog;

// The Prompter of the running program: every message and question is the program's own
// MessageDialog, every input the InputBox, over the window that is active at the moment.
class DialogPrompter : public Prompter {
public:
    // parent: the window the dialogs belong to when no window is active (the main window).
    explicit DialogPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    int ask(const Message& m) override;
    std::optional<QString> input(const QString& caption, const QString& prompt, const QString& value) override;

private:
    QWidget* owner() const;
    QPointer<QWidget> parent_;
};

} // namespace ui
