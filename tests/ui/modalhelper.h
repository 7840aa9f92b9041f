#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

// Acts on the next modal dialog once its event loop runs. Gives up after five seconds and rejects
// whatever is open, so that a dialog that never shows cannot hang the test.
inline void onNextModal(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, tries, act] {
        QWidget* w = QApplication::activeModalWidget();
        if (w) {
            timer->deleteLater();
            timer->stop();
            act(w);
            return;
        }
        if (++*tries > 500) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal dialog appeared";
            for (auto* t : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<QDialog*>(t)) d->reject();
        }
    });
    timer->start(10);
}
