#pragma once

#include <QApplication>
#include <QDateTime>
#include <QImage>
#include <exception>
#include <functional>

namespace db {
class Connection;
}
namespace ui {
class Prompter;
}

namespace app {

class Session;

// The handler of every error that no command handles itself. A non-number typed into a quantity
// cell only gets a warning; anything else leaves a diagnostic record in "screen" beside the
// program, tells the user the program must be restarted, writes the crash marker, closes the
// connection and ends the program.
class ErrorHandler {
public:
    using ExitAction = std::function<void(int status)>;

    // The program's own: folder, prompter and connection of the session (read when an error comes).
    explicit ErrorHandler(Session& s);
    ErrorHandler(QString programDir, ui::Prompter& prompter, db::Connection* connection);
    ~ErrorHandler();
    ErrorHandler(const ErrorHandler&) = delete;
    ErrorHandler& operator=(const ErrorHandler&) = delete;

    // Makes this the program's handler: Application::notify, handleUnexpected() and the grids
    // (ui::reportUnhandled) hand their errors to it. Undone by the destructor.
    void install();
    static ErrorHandler* installed();

    void OsetreniChyb(QObject* sender, std::exception_ptr error);

    // How the program ends; the default closes nothing more and ends the process at once with the
    // status given (1), so that no event loop or destructor can keep it alive.
    void setExitAction(ExitAction a) { exit_ = std::move(a); }
    static void hardExit(int status);
    // The moment that names the files (tests fix it).
    void setClock(std::function<QDateTime()> now) { now_ = std::move(now); }
    // The picture of the screen; a null image leaves the picture out.
    void setScreenGrab(std::function<QImage()> grab) { grab_ = std::move(grab); }
    static QImage grabPrimaryScreen();

    QString screenDir() const;
    // The text an error shows and writes.
    static QString messageOf(std::exception_ptr error);
    // A non-number typed into a UCELKEM, CELKEM or MNOZSTVI cell.
    static bool isQuantityEntry(std::exception_ptr error);

    static constexpr int kExitStatus = 1;

private:
    QString programDir() const;
    ui::Prompter* prompter() const;
    db::Connection* connection() const;
    void fatal(const QString& message);
    void writeRecord(const QString& stamp, const QString& message);

    Session* session_ = nullptr;
    QString programDir_;
    ui::Prompter* prompter_ = nullptr;
    db::Connection* conn_ = nullptr;
    ExitAction exit_ = &ErrorHandler::hardExit;
    std::function<QDateTime()> now_ = [] { return QDateTime::currentDateTime(); };
    std::function<QImage()> grab_ = &ErrorHandler::grabPrimaryScreen;
    bool ending_ = false;
};

// For errors raised outside the event loop (the start-up before exec()): call it from a catch
// block. Without an installed handler it writes the message to stderr and ends the process.
void handleUnexpected(std::exception_ptr error = std::current_exception(), QObject* sender = nullptr);

// The application object: whatever an event handler throws goes to the installed ErrorHandler
// instead of ending the process unreported.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;

    // One delivery with its errors handed on; false when it threw.
    template <class Deliver>
    static bool deliverGuarded(QObject* receiver, Deliver&& deliver) {
        try {
            return deliver();
        } catch (...) {
            handleUnexpected(std::current_exception(), receiver);
            return false;
        }
    }
};

} // namespace app
