#include "app/osetrenichyb.h"
#include "support/testdatabase.h"
#include "ui/buffergrid.h"
#include "ui/rowstoreerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>

using namespace testing_support;

namespace {

const QDateTime kMoment(QDate(2025, 2, 3), QTime(14, 5, 9));
const QString kStamp = "250203140509";

QString readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QStringList filesIn(const QString& dir) { return QDir(dir).entryList(QDir::Files, QDir::Name); }

QStringList record(bool picture, bool log) {
    QStringList files;
    if (picture) files << kStamp + ".jpg";
    if (log) files << kStamp + ".log";
    files << kStamp + ".txt" << "chyba.txt";
    files.sort();
    return files;
}

// Answers like the user but fails on every message.
class BrokenPrompter : public ui::Prompter {
public:
    int ask(const ui::Message&) override { throw std::runtime_error("no display"); }
    std::optional<QString> input(const QString&, const QString&, const QString&) override { return {}; }
};

// A handler over a program folder of its own, without a database; the end of the program is
// only recorded.
struct Standalone {
    explicit Standalone(const QString& dir, ui::Prompter& p) : handler(dir, p, nullptr) {
        handler.setExitAction([this](int status) { exits.push_back(status); });
        handler.setClock([] { return kMoment; });
    }
    void fail(std::exception_ptr e) { handler.OsetreniChyb(nullptr, e); }
    app::ErrorHandler handler;
    std::vector<int> exits;
};

} // namespace

class ErrorHandlerTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        handler = std::make_unique<app::ErrorHandler>(session());
        handler->setExitAction([this](int status) { exits.push_back(status); });
        handler->setClock([] { return kMoment; });
        handler->install();
    }
    void TearDown() override {
        handler.reset();
        DbTest::TearDown();
    }
    QString screen() { return session().env.programDir + "/screen"; }
    QString monitor() { return session().env.programDir + "/monitor.sql"; }
    std::exception_ptr failingStatement() {
        try {
            session().conn().exec("select * from neexistujici_tabulka");
        } catch (...) {
            return std::current_exception();
        }
        ADD_FAILURE() << "the statement did not fail";
        return {};
    }

    std::unique_ptr<app::ErrorHandler> handler;
    std::vector<int> exits;
};

TEST_F(ErrorHandlerTest, UnhandledDatabaseErrorLeavesTheRecordTellsAndEndsTheProgram) {
    for (int i = 0; i < 120; ++i) session().conn().exec(QString("select %1").arg(i));
    const auto error = failingStatement();
    const QString message = app::ErrorHandler::messageOf(error);
    ASSERT_TRUE(message.contains("neexistujici_tabulka")) << message.toStdString();

    handler->OsetreniChyb(nullptr, error);

    EXPECT_EQ(filesIn(screen()), record(true, true));
    QImageReader picture(screen() + "/" + kStamp + ".jpg");
    EXPECT_EQ(picture.format(), "jpeg");
    EXPECT_FALSE(picture.read().isNull());
    EXPECT_EQ(readAll(screen() + "/" + kStamp + ".txt"), message + "\n");
    EXPECT_EQ(readAll(screen() + "/chyba.txt"), "Byla chyba!\n");

    // The log is the trace file with the last 100 statements written once more at its end.
    const QString log = readAll(screen() + "/" + kStamp + ".log");
    EXPECT_EQ(log, readAll(monitor()));
    QStringList last = log.section("-- last statements\n", -1).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(last.size(), 100);
    EXPECT_TRUE(last.first().endsWith(" select 21")) << last.first().toStdString();
    EXPECT_TRUE(last.last().endsWith(" select * from neexistujici_tabulka")) << last.last().toStdString();
    EXPECT_EQ(QFileInfo(screen() + "/" + kStamp + ".log").lastModified().toSecsSinceEpoch(),
              QFileInfo(monitor()).lastModified().toSecsSinceEpoch());
    EXPECT_TRUE(session().conn().trace().active());

    ASSERT_FALSE(prompter().records().empty());
    const ui::Message& shown = prompter().records().back().message;
    EXPECT_EQ(shown.caption, "Talírka SQL");
    EXPECT_EQ(shown.icon, ui::Icon::Stop);
    EXPECT_EQ(shown.buttons, QStringList({"OK"}));
    EXPECT_EQ(shown.text, "Neočekávaná chyba: \n" + message + "\nNutný restart programu!");

    EXPECT_FALSE(session().conn().isOpen());
    ASSERT_EQ(exits.size(), 1u);
    EXPECT_NE(exits[0], 0);
}

struct RecordCase {
    const char* name;
    bool trace;
    bool screenThere;
};
void PrintTo(const RecordCase& c, std::ostream* os) { *os << c.name; }

class ErrorRecord : public ErrorHandlerTest, public ::testing::WithParamInterface<RecordCase> {};

TEST_P(ErrorRecord, LeavesOutOnlyWhatIsMissing) {
    const auto error = failingStatement();
    if (!GetParam().trace) ASSERT_TRUE(QFile::remove(monitor()));
    if (!GetParam().screenThere) handler->setScreenGrab([] { return QImage(); });
    handler->OsetreniChyb(nullptr, error);
    EXPECT_EQ(filesIn(screen()), record(GetParam().screenThere, GetParam().trace));
    EXPECT_EQ(exits, std::vector<int>({app::ErrorHandler::kExitStatus}));
    EXPECT_FALSE(QFile::exists(monitor()) && !GetParam().trace) << "the handler must not start a trace file";
}

INSTANTIATE_TEST_SUITE_P(Files, ErrorRecord,
                         ::testing::Values(RecordCase{"everything", true, true}, RecordCase{"noTrace", false, true},
                                           RecordCase{"noScreen", true, false},
                                           RecordCase{"neither", false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ErrorHandlerTest, NonNumberInAQuantityCellOnlyWarnsAndTheGridGoesOn) {
    BufferGrid grid(session());
    ui::guardGridEditing(grid.view, grid.model, prompter(), ui::kRowErrorItem);
    const QString sql = "select MNOZSTVI from " + session().dm.pracTabulka;

    grid.type(0, 1, "abc");

    EXPECT_EQ(prompter().texts(), QStringList({"Chyba při vyplnění položky množství!"}));
    EXPECT_EQ(prompter().records().back().message.caption, "Talírka SQL");
    EXPECT_FALSE(QFileInfo::exists(screen()));
    EXPECT_TRUE(exits.empty());
    EXPECT_TRUE(session().conn().isOpen());
    EXPECT_EQ(db->scalar(sql).toDouble(), 2.0);
    ASSERT_NE(grid.editor(), nullptr) << "the cell left editing";
    EXPECT_EQ(grid.editor()->text(), "abc");

    grid.type(0, 1, "5,5");
    EXPECT_EQ(db->scalar(sql).toDouble(), 5.5);
    EXPECT_EQ(prompter().records().size(), 1u);
}

struct EntryCase {
    const char* name;
    std::function<std::exception_ptr()> error;
    bool onlyWarning;
};
void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.name; }

class QuantityEntry : public ::testing::TestWithParam<EntryCase> {};

TEST_P(QuantityEntry, IsRecognisedByTheErrorTypeAndColumn) {
    QTemporaryDir dir;
    ui::ScriptedPrompter prompter;
    Standalone h(dir.path(), prompter);
    h.fail(GetParam().error());
    if (GetParam().onlyWarning) {
        EXPECT_EQ(prompter.texts(), QStringList({"Chyba při vyplnění položky množství!"}));
        EXPECT_TRUE(h.exits.empty());
        EXPECT_FALSE(QFileInfo::exists(dir.path() + "/screen"));
    } else {
        EXPECT_TRUE(prompter.lastText().startsWith("Neočekávaná chyba: \n"));
        EXPECT_EQ(h.exits, std::vector<int>({1}));
        EXPECT_TRUE(QFile::exists(dir.path() + "/screen/chyba.txt"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Columns, QuantityEntry,
    ::testing::Values(
        EntryCase{"MNOZSTVI", [] { return std::make_exception_ptr(db::ConversionError("MNOZSTVI", "abc")); }, true},
        EntryCase{"CELKEM", [] { return std::make_exception_ptr(db::ConversionError("CELKEM", "1.2.3")); }, true},
        EntryCase{"ucelkemLowerCase",
                  [] { return std::make_exception_ptr(db::ConversionError("ucelkem", "x")); }, true},
        EntryCase{"priceColumn",
                  [] { return std::make_exception_ptr(db::ConversionError("NAKUPCENA", "abc")); }, false},
        EntryCase{"sameTextOtherError",
                  [] {
                      return std::make_exception_ptr(std::runtime_error(
                          "'abc' is not a valid floating point value for field 'MNOZSTVI'"));
                  },
                  false}),
    [](const auto& info) { return std::string(info.param.name); });

struct BrokenCase {
    const char* name;
    bool folderIsAFile;
    bool grabThrows;
    bool prompterThrows;
};
void PrintTo(const BrokenCase& c, std::ostream* os) { *os << c.name; }

class BrokenHandlerStep : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenHandlerStep, StillEndsTheProgram) {
    QTemporaryDir dir;
    QString programDir = dir.path();
    if (GetParam().folderIsAFile) {
        programDir = dir.path() + "/talirka";
        QFile f(programDir);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)); // "screen" cannot be made inside a file
    }
    ui::ScriptedPrompter scripted;
    BrokenPrompter broken;
    ui::Prompter& p = GetParam().prompterThrows ? static_cast<ui::Prompter&>(broken) : scripted;
    Standalone h(programDir, p);
    if (GetParam().grabThrows) h.handler.setScreenGrab([]() -> QImage { throw std::bad_alloc(); });

    h.fail(std::make_exception_ptr(db::Error(2013, "Lost connection to server during query")));

    EXPECT_EQ(h.exits, std::vector<int>({1}));
    if (!GetParam().prompterThrows)
        EXPECT_EQ(scripted.lastText(), "Neočekávaná chyba: \nLost connection to server during query\nNutný restart "
                                       "programu!");
    if (!GetParam().folderIsAFile) EXPECT_TRUE(QFile::exists(programDir + "/screen/chyba.txt"));
}

INSTANTIATE_TEST_SUITE_P(Steps, BrokenHandlerStep,
                         ::testing::Values(BrokenCase{"unwritableProgramFolder", true, false, false},
                                           BrokenCase{"screenGrabFails", false, true, false},
                                           BrokenCase{"messageCannotBeShown", false, false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ErrorHandler, TwoErrorsInOneSecondOverwriteTheSameFiles) {
    QTemporaryDir dir;
    ui::ScriptedPrompter prompter;
    Standalone h(dir.path(), prompter);
    h.fail(std::make_exception_ptr(std::runtime_error("první chyba")));
    h.fail(std::make_exception_ptr(std::runtime_error("druhá chyba")));
    EXPECT_EQ(filesIn(dir.path() + "/screen"), record(true, false));
    EXPECT_EQ(readAll(dir.path() + "/screen/" + kStamp + ".txt"), "druhá chyba\n");
    EXPECT_EQ(h.exits, std::vector<int>({1, 1}));
}

namespace {
// An object whose event handler fails the way a command does.
class FailingCommand : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) throw db::Error(1146, "Table 'talirka.vse' doesn't exist", "select * from vse");
        return QObject::event(e);
    }
};
} // namespace

TEST(ErrorHandler, ErrorsOfEventHandlersAndOfTheStartUpReachTheInstalledHandler) {
    QTemporaryDir dir;
    ui::ScriptedPrompter prompter;
    Standalone h(dir.path(), prompter);
    h.handler.install();
    ASSERT_EQ(app::ErrorHandler::installed(), &h.handler);

    FailingCommand command;
    QEvent event(QEvent::User);
    const bool delivered =
        app::Application::deliverGuarded(&command, [&] { return QCoreApplication::sendEvent(&command, &event); });
    EXPECT_FALSE(delivered);
    EXPECT_EQ(readAll(dir.path() + "/screen/" + kStamp + ".txt"), "Table 'talirka.vse' doesn't exist\n");

    try {
        throw db::Error(2003, "Can't connect to server on '127.0.0.1' (111)", "connect");
    } catch (...) {
        app::handleUnexpected();
    }
    EXPECT_EQ(readAll(dir.path() + "/screen/" + kStamp + ".txt"), "Can't connect to server on '127.0.0.1' (111)\n");
    EXPECT_EQ(h.exits, std::vector<int>({1, 1}));
}

TEST(ErrorHandlerDeathTest, EndsTheProcessWithANonZeroStatusByDefault) {
    // Forked: the child writes into the folder the parent checks afterwards.
    GTEST_FLAG_SET(death_test_style, "fast");
    QTemporaryDir dir;
    EXPECT_EXIT(
        {
            ui::ScriptedPrompter prompter;
            app::ErrorHandler h(dir.path(), prompter, nullptr);
            h.setScreenGrab([] { return QImage(); });
            h.OsetreniChyb(nullptr, std::make_exception_ptr(db::Error(2003, "Can't connect")));
            std::fprintf(stderr, "still running\n");
        },
        ::testing::ExitedWithCode(app::ErrorHandler::kExitStatus), "");
    EXPECT_TRUE(QFile::exists(dir.path() + "/screen/chyba.txt"));
}
