#include "ui/messagedialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <cstdio>

namespace ui {

bool unattended() { return !qEnvironmentVariableIsEmpty("TALIRKA_UNATTENDED"); }

namespace {

QStyle::StandardPixmap pixmapOf(Icon icon) {
    switch (icon) {
    case Icon::Information: return QStyle::SP_MessageBoxInformation;
    case Icon::Warning: return QStyle::SP_MessageBoxWarning;
    case Icon::Stop: return QStyle::SP_MessageBoxCritical;
    case Icon::Question: return QStyle::SP_MessageBoxQuestion;
    case Icon::Help: return QStyle::SP_DialogHelpButton;
    }
    return QStyle::SP_MessageBoxInformation;
}

} // namespace

MessageDialog::MessageDialog(QWidget* parent) : QDialog(parent) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    auto* outer = new QVBoxLayout(this);
    auto* body = new QHBoxLayout;
    iconLabel_ = new QLabel(this);
    iconLabel_->setObjectName("icon");
    iconLabel_->setAlignment(Qt::AlignTop);
    textLabel_ = new QLabel(this);
    textLabel_->setObjectName("text");
    textLabel_->setWordWrap(true);
    textLabel_->setTextFormat(Qt::PlainText);
    textLabel_->setMinimumWidth(260);
    body->addWidget(iconLabel_);
    body->addWidget(textLabel_, 1);
    outer->addLayout(body);
    buttonRow_ = new QHBoxLayout;
    buttonRow_->addStretch();
    outer->addLayout(buttonRow_);
    setMessage(resting_);
}

MessageDialog::MessageDialog(QWidget* parent, const QString& objectName, const Message& resting)
    : MessageDialog(parent) {
    setObjectName(objectName);
    setResting(resting);
}

void MessageDialog::setMessage(const Message& m) {
    setCaption(m.caption);
    setText(m.text);
    setIcon(m.icon);
    setButtons(m.buttons);
}

Message MessageDialog::message() const { return {windowTitle(), text(), icon_, buttonCaptions()}; }

void MessageDialog::setCaption(const QString& caption) { setWindowTitle(caption); }

void MessageDialog::setText(const QString& text) { textLabel_->setText(text); }

QString MessageDialog::text() const { return textLabel_->text(); }

void MessageDialog::setIcon(Icon icon) {
    icon_ = icon;
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    iconLabel_->setPixmap(style()->standardIcon(pixmapOf(icon), nullptr, this).pixmap(size, size));
}

void MessageDialog::setButtons(const QStringList& captions) {
    for (auto* b : buttons_) {
        buttonRow_->removeWidget(b);
        delete b;
    }
    buttons_.clear();
    for (int i = 0; i < captions.size(); ++i) {
        auto* b = new QPushButton(captions[i], this);
        b->setObjectName(QString("Button%1").arg(i + 1));
        b->setAutoDefault(i == 0);
        b->setDefault(i == 0);
        connect(b, &QPushButton::clicked, this, [this, i] { choose(i); });
        buttonRow_->addWidget(b);
        buttons_ << b;
    }
    if (!buttons_.isEmpty()) buttons_.first()->setFocus();
}

QStringList MessageDialog::buttonCaptions() const {
    QStringList out;
    for (auto* b : buttons_) out << b->text();
    return out;
}

QPushButton* MessageDialog::button(int index) const { return buttons_.value(index); }

void MessageDialog::setResting(const Message& m) {
    resting_ = m;
    setMessage(m);
}

void MessageDialog::choose(int index) {
    chosen_ = index;
    accept();
}

int MessageDialog::execute() {
    chosen_ = -1;
    if (unattended()) {
        std::fprintf(stderr, "%s: %s [%s]\n", qUtf8Printable(windowTitle()), qUtf8Printable(text()),
                     qUtf8Printable(buttonCaptions().join(" / ")));
        return buttons_.size() == 1 ? 0 : -1;
    }
    adjustSize();
    exec();
    return chosen_;
}

int MessageDialog::execute(const Message& m) {
    setMessage(m);
    struct Back {
        MessageDialog* d;
        ~Back() { d->reset(); }
    } back{this};
    return execute();
}

namespace dialogs {

Message suiMessageDialog1() {
    return {"Talírka", "Opravdu vymazat zásobník přepočtených norem?", Icon::Help, {"smazat", "zpět"}};
}
Message suiMessageDialog2() { return {"Talírka SQL", {}, Icon::Information, {"OK"}}; }
Message prochybu() { return {"Talírka SQL", {}, Icon::Warning, {"OK"}}; }
Message zadne() { return {"Talírka", {}, Icon::Stop, {"ok"}}; }

} // namespace dialogs

} // namespace ui
