#pragma once

#include "ui/prompter.h"

#include <QPrinterInfo>
#include <functional>

class QPrinter;
class QWidget;

namespace reporting {

inline const QString kNoPrinterText = "Není nastavena žádná tiskárna!";

// The printer every report prints on during the run: the system's default printer at first,
// then whatever the printer set-up chose. nullptr, with the user told, when there is none.
QPrinter* currentPrinter(ui::Prompter& prompter);

// The printer set-up dialog ("nastav" of the preview, "Nastavení tiskárny" of the main menu).
void printerSetup(ui::Prompter& prompter, QWidget* parent);

// Where the default printer comes from; tests put a workstation without printers in place.
void setPrinterLookup(std::function<QPrinterInfo()> lookup);

} // namespace reporting
