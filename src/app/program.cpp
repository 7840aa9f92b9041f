#include "app/program.h"

#include "app/commands.h"
#include "app/singleinstance.h"
#include "app/vyber.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace app {

namespace {

// Until the handler of unexpected errors is in place: say what failed and end.
class BoxPrompter : public ui::Prompter {
public:
    int ask(const ui::Message& m) override {
        QMessageBox box(QMessageBox::Information, m.caption, m.text);
        QVector<QAbstractButton*> bs;
        for (const auto& b : m.buttons) bs << box.addButton(b, QMessageBox::AcceptRole);
        box.exec();
        return int(bs.indexOf(box.clickedButton()));
    }
    std::optional<QString> input(const QString&, const QString&, const QString& value) override { return value; }
};

} // namespace

int runProgram(int argc, char** argv, const CommandRegistry& commands) {
    QApplication a(argc, argv);
    a.setApplicationName("Talírka");
    a.setApplicationDisplayName("Talírka");
    a.setApplicationVersion("1.0.0.1");

    const core::Environment env = core::Environment::fromArguments(a.arguments(), a.applicationDirPath());
    SingleInstance instance(SingleInstance::keyFor(env.settingsPath));
    if (instance.anotherIsRunning()) return 0;
    instance.listen();

    BoxPrompter prompter;
    std::unique_ptr<TForm4> main;
    try {
        TForm4Options o;
        o.prompter = &prompter;
        main = std::make_unique<TForm4>(env, commands, o);
    } catch (const std::exception& e) {
        prompter.tell("Talírka SQL", QString::fromUtf8(e.what()), ui::Icon::Stop);
        return 1;
    }
    QObject::connect(&instance, &SingleInstance::raiseRequested, main.get(), [w = main.get()] {
        if (w->isMinimized()) w->showNormal();
        w->raise();
        w->activateWindow();
    });
    main->show();
    // For a machine without a screen: a picture of the main window once it has settled.
    if (qEnvironmentVariableIsSet("TALIRKA_SCREENSHOT")) {
        QTimer::singleShot(5000, main.get(), [w = main.get()] {
            w->grab().save(qEnvironmentVariable("TALIRKA_SCREENSHOT"));
            if (qEnvironmentVariableIsSet("TALIRKA_QUIT_AFTER_SCREENSHOT")) w->close();
        });
    }
    return a.exec();
}

} // namespace app
