#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace app {

// One running program per workstation. The first instance listens; a second one asks it to come
// to the front and ends before it touches the database.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& key, QObject* parent = nullptr);
    // True when another instance answered (it has been asked to come to the front).
    bool anotherIsRunning();
    // Starts listening for later starts; false when the name cannot be taken.
    bool listen();
    static QString keyFor(const QString& settingsPath);

signals:
    void raiseRequested();

private:
    QString name_;
    QLocalServer* server_ = nullptr;
};

} // namespace app
