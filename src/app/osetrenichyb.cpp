#include "app/osetrenichyb.h"

#include "app/session.h"
#include "db/connection.h"
#include "ui/prompter.h"
#include "ui/unhandled.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

namespace app {

namespace {

ErrorHandler*& current() {
    static ErrorHandler* h = nullptr;
    return h;
}

const QString kCaption = QStringLiteral("Talírka SQL");

bool writeLine(const QString& path, const QString& line) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return f.write((line + '\n').toUtf8()) >= 0;
}

// Each step of the record on its own: one that fails must not keep the others or the end away.
template <class Step>
void guarded(Step&& step) {
    try {
        step();
    } catch (...) {
    }
}

} // namespace

ErrorHandler::ErrorHandler(Session& s) : session_(&s) {}

ErrorHandler::ErrorHandler(QString programDir, ui::Prompter& prompter, db::Connection* connection)
    : programDir_(std::move(programDir)), prompter_(&prompter), conn_(connection) {}

ErrorHandler::~ErrorHandler() {
    if (current() != this) return;
    current() = nullptr;
    ui::setUnhandledErrorSink({});
}

void ErrorHandler::install() {
    current() = this;
    ui::setUnhandledErrorSink([this](QObject* sender, std::exception_ptr e) { OsetreniChyb(sender, e); });
}

ErrorHandler* ErrorHandler::installed() { return current(); }

QString ErrorHandler::programDir() const { return session_ ? session_->env.programDir : programDir_; }
ui::Prompter* ErrorHandler::prompter() const { return session_ ? &session_->prompter() : prompter_; }
db::Connection* ErrorHandler::connection() const { return session_ ? &session_->conn() : conn_; }
QString ErrorHandler::screenDir() const { return programDir() + "/screen"; }

void ErrorHandler::hardExit(int status) {
    std::fflush(nullptr);
    std::_Exit(status);
}

QImage ErrorHandler::grabPrimaryScreen() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return {};
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {};
    return screen->grabWindow(0).toImage();
}

QString ErrorHandler::messageOf(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("neznámá chyba");
    }
}

bool ErrorHandler::isQuantityEntry(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const db::ConversionError& e) {
        for (const char* f : {"UCELKEM", "CELKEM", "MNOZSTVI"})
            if (e.field().compare(QLatin1String(f), Qt::CaseInsensitive) == 0) return true;
        return false;
    } catch (...) {
        return false;
    }
}

void ErrorHandler::OsetreniChyb(QObject* sender, std::exception_ptr error) {
    Q_UNUSED(sender);
    if (!error) return;
    if (isQuantityEntry(error)) {
        guarded([&] {
            if (auto* p = prompter()) p->tell(kCaption, "Chyba při vyplnění položky množství!", ui::Icon::Warning);
        });
        return;
    }
    // A second error while the restart message is up: the first one ends the program.
    if (ending_) return;
    ending_ = true;
    fatal(messageOf(error));
    ending_ = false;
}

void ErrorHandler::fatal(const QString& message) {
    QString stamp;
    guarded([&] { stamp = now_().toString("yyMMddhhmmss"); });
    guarded([&] { writeRecord(stamp, message); });
    guarded([&] {
        if (auto* p = prompter())
            p->tell(kCaption, "Neočekávaná chyba: \n" + message + "\nNutný restart programu!", ui::Icon::Stop);
    });
    guarded([&] {
        QDir().mkpath(screenDir());
        writeLine(screenDir() + "/chyba.txt", "Byla chyba!");
    });
    guarded([&] {
        if (auto* c = connection(); c && c->isOpen()) c->close();
    });
    guarded([&] { (exit_ ? exit_ : ExitAction(&ErrorHandler::hardExit))(kExitStatus); });
}

void ErrorHandler::writeRecord(const QString& stamp, const QString& message) {
    const QString dir = screenDir();
    const QString stem = dir + '/' + stamp;
    QDir().mkpath(dir);
    // Straight to JPEG: no intermediate bitmap is left behind.
    guarded([&] {
        const QImage picture = grab_ ? grab_() : QImage();
        if (!picture.isNull()) picture.save(stem + ".jpg", "JPG");
    });
    guarded([&] { writeLine(stem + ".txt", message); });
    guarded([&] {
        const QString monitor = programDir() + "/monitor.sql";
        if (!QFile::exists(monitor)) return;
        db::Connection* c = connection();
        if (c) {
            c->trace().setActive(false);
            c->trace().writeLast();
        }
        QFile::remove(stem + ".log");
        if (QFile::copy(monitor, stem + ".log")) {
            QFile log(stem + ".log");
            if (log.open(QIODevice::Append))
                log.setFileTime(QFileInfo(monitor).lastModified(), QFileDevice::FileModificationTime);
        }
        if (c) c->trace().setActive(true);
    });
}

void handleUnexpected(std::exception_ptr error, QObject* sender) {
    if (!error) return;
    if (ErrorHandler* h = ErrorHandler::installed()) {
        h->OsetreniChyb(sender, error);
        return;
    }
    std::fprintf(stderr, "Neočekávaná chyba: %s\n", qUtf8Printable(ErrorHandler::messageOf(error)));
    ErrorHandler::hardExit(ErrorHandler::kExitStatus);
}

bool Application::notify(QObject* receiver, QEvent* event) {
    return deliverGuarded(receiver, [&] { return QApplication::notify(receiver, event); });
}

} // namespace app
