#pragma once

#include <QHash>
#include <QString>
#include <functional>

class QWidget;

namespace app {

class Session;

// The two menu editors behind "Vytvoření jídelního lístku" ("Jídelníček celodenní" chooses).
inline const QString kWeeklyMenuEditor = QStringLiteral("Tjidelnicek");
inline const QString kFullDayMenuEditor = QStringLiteral("Tjidelnicek2");

// The main window's menu commands by the component name of their menu item ("Pjemzbo1",
// "Skladovakarta21"). The subsystems sit above the main window's folder, so they register their
// windows here at start (main.cpp) instead of the main window including them.
class CommandRegistry {
public:
    using Command = std::function<void(Session&, QWidget* mainWindow)>;

    void add(const QString& component, Command c) { commands_.insert(component, std::move(c)); }
    bool has(const QString& component) const { return commands_.contains(component); }
    // Runs the command; false when nothing is registered under that name.
    bool run(const QString& component, Session& s, QWidget* mainWindow) const {
        const auto it = commands_.find(component);
        if (it == commands_.end() || !*it) return false;
        (*it)(s, mainWindow);
        return true;
    }

private:
    QHash<QString, Command> commands_;
};

} // namespace app
