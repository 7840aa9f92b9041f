#include "app/singleinstance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

namespace app {

SingleInstance::SingleInstance(const QString& key, QObject* parent) : QObject(parent), name_(key) {}

QString SingleInstance::keyFor(const QString& settingsPath) {
    // The per-workstation settings file stands for the workstation (and its user).
    return "talirka-" + QString::fromLatin1(
                            QCryptographicHash::hash(settingsPath.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

bool SingleInstance::anotherIsRunning() {
    QLocalSocket s;
    s.connectToServer(name_);
    if (!s.waitForConnected(500)) return false;
    s.write("raise\n");
    s.waitForBytesWritten(500);
    s.disconnectFromServer();
    return true;
}

bool SingleInstance::listen() {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name_)) {
        // A name left by a program that crashed.
        QLocalServer::removeServer(name_);
        if (!server_->listen(name_)) return false;
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* c = server_->nextPendingConnection()) {
            connect(c, &QLocalSocket::disconnected, c, &QObject::deleteLater);
            emit raiseRequested();
        }
    });
    return true;
}

} // namespace app
