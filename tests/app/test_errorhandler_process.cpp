#include "support/testdatabase.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace testing_support;

namespace {

// A loopback port nobody listens on.
int closedPort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(s);
    return ntohs(a.sin_port);
}

struct StartCase {
    const char* name;
    bool serverAnswers;   // false: a closed port; true: the test server with a wrong password
};
void PrintTo(const StartCase& c, std::ostream* os) { *os << c.name; }

class FailedStart : public ::testing::TestWithParam<StartCase> {};

} // namespace

TEST_P(FailedStart, LeavesADiagnosticRecordAndEndsWithAnErrorStatus) {
    QTemporaryDir home;
    QString user = "root", password = "906386";
    int port = closedPort();
    std::unique_ptr<TestDatabase> db;
    if (GetParam().serverAnswers) {
        db = std::make_unique<TestDatabase>(false);
        user = QString("tal_%1").arg(getpid());
        db->exec("create user if not exists '" + user + "'@'%' identified by 'spravne'");
        db->exec("create user if not exists '" + user + "'@'localhost' identified by 'spravne'");
        password = "spatne";
        port = serverParams().port;
    }
    {
        QFile ini(home.path() + "/talirka.ini");
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(QString("[LogOn]\nIP=127.0.0.1\nSqlport=%1\nUser=%2\nPassword=%3\nDatabase=talirka\n")
                      .arg(port)
                      .arg(user, password)
                      .toUtf8());
    }

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TALIRKA_SETTINGS", home.path() + "/ws/talirka.INI");
    env.insert("TALIRKA_COMPUTERNAME", "TESTPC");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("TALIRKA_UNATTENDED", "1");
    env.remove("TALIRKA_HOME");
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(TALIRKA_EXECUTABLE, {"--home", home.path()});
    ASSERT_TRUE(program.waitForStarted(10000));
    const bool ended = program.waitForFinished(40000);
    if (!ended) {
        program.kill();
        program.waitForFinished(5000);
    }
    const std::string output = program.readAll().toStdString();
    if (db) {
        db->exec("drop user if exists '" + user + "'@'%'");
        db->exec("drop user if exists '" + user + "'@'localhost'");
    }
    ASSERT_TRUE(ended) << "the program hangs; output:\n" << output;
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << output;
    EXPECT_NE(program.exitCode(), 0) << output;

    const QDir screen(home.path() + "/screen");
    const QStringList texts = screen.entryList({"*.txt"}, QDir::Files);
    ASSERT_TRUE(texts.contains("chyba.txt")) << output;
    ASSERT_EQ(texts.size(), 2) << texts.join(", ").toStdString();
    const QString stem = QString(texts[0] == "chyba.txt" ? texts[1] : texts[0]).chopped(4);
    EXPECT_EQ(stem.size(), 12);
    for (const QString& f : screen.entryList(QDir::Files))
        EXPECT_TRUE(f == "chyba.txt" || f.startsWith(stem + ".")) << f.toStdString();
    EXPECT_TRUE(screen.exists(stem + ".jpg"));
    EXPECT_TRUE(screen.exists(stem + ".log")) << "the connection attempt is in monitor.sql";
    EXPECT_TRUE(screen.entryList({"*.bmp"}, QDir::Files).isEmpty());
    QFile message(screen.filePath(stem + ".txt"));
    ASSERT_TRUE(message.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(message.readAll());
    EXPECT_TRUE(text.contains(GetParam().serverAnswers ? "Access denied" : "Can't connect")) << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Server, FailedStart,
                         ::testing::Values(StartCase{"doesNotAnswer", false}, StartCase{"wrongPassword", true}),
                         [](const auto& info) { return std::string(info.param.name); });
