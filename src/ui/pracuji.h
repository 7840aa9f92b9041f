#pragma once

#include <QPointer>
#include <QWidget>

class QLabel;

namespace ui {

// The "working" window of long operations: no title bar, above all other windows, centred on the
// screen, one centred word-wrapping line.
class Tpracuji : public QWidget {
    Q_OBJECT
public:
    explicit Tpracuji(QWidget* parent = nullptr);

    QLabel* Label1;

    // Sets the line, shows the window, brings it to the front and paints it at once: the work
    // that follows keeps the event loop busy.
    void showMessage(const QString& text);
    void centreOnScreen();
};

// Shows the working window for as long as it lives; closes and frees it also when an error
// interrupts the work.
class WorkingWindow {
public:
    explicit WorkingWindow(const QString& text, QWidget* parent = nullptr);
    ~WorkingWindow();
    WorkingWindow(const WorkingWindow&) = delete;
    WorkingWindow& operator=(const WorkingWindow&) = delete;

    Tpracuji* window() const { return w_.data(); }
    void setText(const QString& text);

private:
    QPointer<Tpracuji> w_;
};

} // namespace ui
