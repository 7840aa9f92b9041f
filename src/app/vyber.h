#pragma once

#include "app/commands.h"
#include "app/session.h"

#include <QDateTime>
#include <QMainWindow>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QTimer;
class QToolButton;

namespace ui {
class InputBox;
class MessageDialog;
} // namespace ui

namespace app {

class TStartDialog;

class ErrorHandler;

struct TForm4Options {
    bool installErrorHandler = false;                  // the program: every error reaches OsetreniChyb
    ui::Prompter* prompter = nullptr;                  // required: dialogs or a test script
    std::optional<db::ConnectionParams> connection;    // default: talirka.ini
    bool splash = true;
    int splashMinimumMs = 3000;
    int startupTimerMs = 1000;
};

// The main window: menu, picture buttons, the active canteen, status bar. It owns the Session.
class TForm4 : public QMainWindow {
    Q_OBJECT
public:
    TForm4(core::Environment env, const CommandRegistry& commands, TForm4Options options = {});
    ~TForm4() override;

    Session& session() { return *session_; }
    QAction* action(const QString& component) const;
    QMenu* menu(const QString& name) const;   // "Vyberjidelny1", "Sklad1", ... by objectName

    // The steps of the first show; showEvent runs them once.
    void FormShow();
    // Runs a menu command by its component name as a click on the item does.
    void runCommand(const QString& component);
    void selectCanteen(int index);            // a1 / b1 chosen

    // The one-shot start-up timer's work (the update check). Replaceable by the program.
    std::function<void(Session&)> onStartupTimer;
    QTimer* startupTimer() const { return startTimer_; }

    QProgressBar* stav() const { return stav_; }
    QProgressBar* konkaret() const { return konkaret_; }
    QLabel* Label1() const { return label1_; }
    ui::MessageDialog* suiMessageDialog1() const { return dlg1_; }
    ui::MessageDialog* suiMessageDialog2() const { return dlg2_; }
    ui::MessageDialog* prochybu() const { return prochybu_; }
    ui::InputBox* suiInputDialog1() const { return input1_; }

    static QString twoYearCleanupCaption(const QDate& today);
    static QString statusClockText(const QDateTime& now);
    QString versionText() const;

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void buildMenu();
    void buildButtons();
    void buildStatusBar();
    void buildDialogs();
    void applyCanteens();
    void applyProfiles();
    void restoreState();
    void saveState();
    void openHelp(const QString& file);
    void showHotKeyInfo();
    void installHotKey();
    QAction* addItem(QMenu* m, const QString& caption, const QString& component);

    std::unique_ptr<Session> session_;
    std::unique_ptr<ErrorHandler> handler_;
    const CommandRegistry& commands_;
    TForm4Options options_;
    QDateTime startTime_;
    TStartDialog* splash_ = nullptr;
    bool shown_ = false;

    QMenu* canteenMenu_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* clock_ = nullptr;
    QProgressBar* stav_ = nullptr;
    QProgressBar* konkaret_ = nullptr;
    QTimer* startTimer_ = nullptr;
    QTimer* clockTimer_ = nullptr;
    QVector<QToolButton*> buttons_;
    ui::MessageDialog* dlg1_ = nullptr;
    ui::MessageDialog* dlg2_ = nullptr;
    ui::MessageDialog* prochybu_ = nullptr;
    ui::InputBox* input1_ = nullptr;
};

// The splash picture: a frameless window on top, centred, the picture plus a raised frame line.
class TStartDialog : public QWidget {
public:
    TStartDialog();
    static QPixmap picture();
};

} // namespace app
