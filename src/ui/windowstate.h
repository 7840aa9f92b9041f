#pragma once

#include <QString>

class QWidget;

namespace core {
class IniFile;
}

namespace ui {

// The remembered position and size of a window in the per-workstation settings file, in the
// section named after the window's class (without namespace) unless another is given.
class WindowState {
public:
    static QString sectionOf(const QWidget* w);
    // Restores what was saved; a position that no screen shows any more is not used.
    static bool restore(QWidget* w, const core::IniFile& ini, const QString& section = {});
    // Writes the values; the caller saves the file.
    static void save(const QWidget* w, core::IniFile& ini, const QString& section = {});
};

} // namespace ui
