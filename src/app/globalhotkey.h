#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

namespace app {

// Ctrl+Shift+F10 grabbed on the X11 root window, so it works while another program has the focus.
// install() answers nullptr where the display is not X11 or refuses the grab; the main window's
// application-wide shortcut covers that case.
class GlobalHotKey : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    static GlobalHotKey* install(QObject* parent);
    ~GlobalHotKey() override;
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    void activated();

private:
    explicit GlobalHotKey(QObject* parent) : QObject(parent) {}
    void* connection_ = nullptr;
    unsigned root_ = 0;
    unsigned char keycode_ = 0;
};

} // namespace app
