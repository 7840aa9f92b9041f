#include "core/environment.h"
#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

// Tests run real widgets, so a QApplication exists for the whole run (offscreen under ctest).
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    core::fixLocalTimeZone();
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
