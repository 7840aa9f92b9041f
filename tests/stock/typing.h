#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace stock_test {

// Types a text into a widget key by key, also letters with diacritics (QTest::keyClicks takes
// ASCII only).
inline void typeText(QWidget* w, const QString& text) {
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &release);
    }
}

} // namespace stock_test
