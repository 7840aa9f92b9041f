#include "reporting/printing.h"

#include <QPrintDialog>
#include <QPrinter>
#include <memory>

namespace reporting {

namespace {

struct PrinterState {
    std::function<QPrinterInfo()> lookup;
    std::unique_ptr<QPrinter> printer;
};

PrinterState& state() {
    static PrinterState s;
    return s;
}

QPrinterInfo systemPrinter() {
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        const auto all = QPrinterInfo::availablePrinters();
        if (!all.isEmpty()) info = all.first();
    }
    return info;
}

} // namespace

void setPrinterLookup(std::function<QPrinterInfo()> lookup) {
    state().lookup = std::move(lookup);
    state().printer.reset();
}

QPrinter* currentPrinter(ui::Prompter& prompter) {
    PrinterState& s = state();
    if (!s.printer) {
        const QPrinterInfo info = s.lookup ? s.lookup() : systemPrinter();
        if (info.isNull()) {
            prompter.tell("Talírka", kNoPrinterText, ui::Icon::Warning);
            return nullptr;
        }
        s.printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        s.printer->setPageSize(QPageSize(QPageSize::A4));
    }
    return s.printer.get();
}

void printerSetup(ui::Prompter& prompter, QWidget* parent) {
    if (QPrinter* p = currentPrinter(prompter)) {
        QPrintDialog dlg(p, parent);
        dlg.setWindowTitle("Nastavení tiskárny");
        dlg.exec();
    }
}

} // namespace reporting
