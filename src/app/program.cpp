#include "app/program.h"

#include "app/commands.h"
#include "app/osetrenichyb.h"
#include "ui/dialogprompter.h"
#include "app/singleinstance.h"
#include "app/vyber.h"

#include <QApplication>
#include <QTimer>

namespace app {

int runProgram(int argc, char** argv, const CommandRegistry& commands) {
    core::fixLocalTimeZone();
    Application a(argc, argv);
    a.setApplicationName("Talírka");
    a.setApplicationDisplayName("Talírka");
    a.setApplicationVersion("1.0.0.1");

    const core::Environment env = core::Environment::fromArguments(a.arguments(), a.applicationDirPath());
    SingleInstance instance(SingleInstance::keyFor(env.settingsPath));
    if (instance.anotherIsRunning()) return 0;
    instance.listen();

    ui::DialogPrompter prompter;
    std::unique_ptr<TForm4> main;
    try {
        TForm4Options o;
        o.prompter = &prompter;
        o.installErrorHandler = true;
        main = std::make_unique<TForm4>(env, commands, o);
    } catch (...) {
        // The main window's handler has reported it and ended the program; this is the last guard.
        handleUnexpected(std::current_exception());
        return ErrorHandler::kExitStatus;
    }
    prompter.setParent(main.get());
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
