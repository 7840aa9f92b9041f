#include "ui/pracuji.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace ui {

Tpracuji::Tpracuji(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool) {
    setObjectName("pracuji");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(320, 80);
    auto* layout = new QVBoxLayout(this);
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignCenter);
    layout->addWidget(Label1);
    setStyleSheet("ui--Tpracuji { border: 1px solid palette(dark); }");
}

void Tpracuji::centreOnScreen() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect r = frameGeometry();
    r.moveCenter(screen->availableGeometry().center());
    move(r.topLeft());
}

void Tpracuji::showMessage(const QString& text) {
    Label1->setText(text);
    centreOnScreen();
    show();
    raise();
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

WorkingWindow::WorkingWindow(const QString& text, QWidget* parent) : w_(new Tpracuji(parent)) {
    w_->setAttribute(Qt::WA_DeleteOnClose, false);
    w_->showMessage(text);
}

WorkingWindow::~WorkingWindow() {
    if (!w_) return;
    w_->close();
    delete w_.data();
}

void WorkingWindow::setText(const QString& text) {
    if (w_) w_->showMessage(text);
}

} // namespace ui
