#include "app/program.h"

#include "app/datamodul.h"
#include "app/session.h"

#include <QApplication>
#include <QMessageBox>

namespace app {

int runProgram(int argc, char** argv) {
    QApplication a(argc, argv);
    a.setApplicationName("Talírka");
    QMessageBox::information(nullptr, "Talírka", "Talírka");
    return 0;
}

} // namespace app
