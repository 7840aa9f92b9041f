#include "ui/windowstate.h"

#include "core/inifile.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace ui {

QString WindowState::sectionOf(const QWidget* w) {
    QString name = w->metaObject()->className();
    const int colons = int(name.lastIndexOf("::"));
    return colons >= 0 ? name.mid(colons + 2) : name;
}

bool WindowState::restore(QWidget* w, const core::IniFile& ini, const QString& section) {
    const QString sec = section.isEmpty() ? sectionOf(w) : section;
    if (!ini.valueExists(sec, "Left") || !ini.valueExists(sec, "Top")) return false;
    const int left = ini.readInteger(sec, "Left", w->x());
    const int top = ini.readInteger(sec, "Top", w->y());
    const int width = ini.readInteger(sec, "Width", w->width());
    const int height = ini.readInteger(sec, "Height", w->height());
    const QRect wanted(left, top, std::max(width, 50), std::max(height, 50));
    // A window saved on a screen that is gone (a second monitor unplugged) would open out of sight.
    bool visible = false;
    for (const QScreen* s : QGuiApplication::screens())
        if (s->availableGeometry().intersects(wanted)) visible = true;
    if (!visible) return false;
    w->resize(wanted.size());
    w->move(wanted.topLeft());
    if (ini.readBool(sec, "Maximized", false)) w->setWindowState(w->windowState() | Qt::WindowMaximized);
    return true;
}

void WindowState::save(const QWidget* w, core::IniFile& ini, const QString& section) {
    const QString sec = section.isEmpty() ? sectionOf(w) : section;
    const bool maximized = w->isMaximized();
    const QRect r = maximized ? w->normalGeometry() : QRect(w->pos(), w->size());
    ini.writeInteger(sec, "Left", r.x());
    ini.writeInteger(sec, "Top", r.y());
    ini.writeInteger(sec, "Width", r.width());
    ini.writeInteger(sec, "Height", r.height());
    ini.writeBool(sec, "Maximized", maximized);
}

} // namespace ui
