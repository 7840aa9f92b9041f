#pragma once

#include <QDate>

class QWidget;

namespace app {
class CommandRegistry;
class Session;
} // namespace app

namespace stock {

// "Pjemzbo1" (Příjem zboží) and "Adres1" (Adresář) of the main menu.
void registerCommands(app::CommandRegistry& r);

// The receipt as the main menu opens it: dated today, shown modally. The main window has
// recreated the workstation buffer before.
void openReceipt(app::Session& s, QWidget* parent, const QDate& date = QDate::currentDate());
// The address book for keeping the list: no take-over.
void openAddressBook(app::Session& s, QWidget* parent);

} // namespace stock
