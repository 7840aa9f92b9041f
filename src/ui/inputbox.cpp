#include "ui/inputbox.h"

#include "ui/messagedialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>

namespace ui {

InputBox::InputBox(QWidget* parent) : QDialog(parent) {
    setModal(true);
    auto* outer = new QVBoxLayout(this);
    prompt_ = new QLabel(this);
    prompt_->setObjectName("prompt");
    edit_ = new QLineEdit(this);
    edit_->setObjectName("value");
    edit_->setMinimumWidth(260);
    outer->addWidget(prompt_);
    outer->addWidget(edit_);
    auto* row = new QHBoxLayout;
    row->addStretch();
    ok_ = new QPushButton("OK", this);
    ok_->setObjectName("Button1");
    ok_->setDefault(true);
    back_ = new QPushButton("zpět", this);
    back_->setObjectName("Button2");
    row->addWidget(ok_);
    row->addWidget(back_);
    outer->addLayout(row);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(back_, &QPushButton::clicked, this, &QDialog::reject);
}

InputBox::InputBox(QWidget* parent, const QString& objectName, const QString& caption, const QString& prompt)
    : InputBox(parent) {
    setObjectName(objectName);
    setCaption(caption);
    setPrompt(prompt);
}

void InputBox::setPrompt(const QString& prompt) { prompt_->setText(prompt); }

QString InputBox::prompt() const { return prompt_->text(); }

std::optional<QString> InputBox::execute() {
    edit_->setText(value_);
    edit_->selectAll();
    edit_->setFocus();
    if (unattended()) {
        std::fprintf(stderr, "%s: %s [OK / zpět]\n", qUtf8Printable(windowTitle()), qUtf8Printable(prompt()));
        return std::nullopt;
    }
    if (exec() != QDialog::Accepted) return std::nullopt;
    value_ = edit_->text();
    return value_;
}

} // namespace ui
