#include "stock/register.h"

#include "app/commands.h"
#include "stock/adresar.h"
#include "stock/prijemka.h"

namespace stock {

void openReceipt(app::Session& s, QWidget* parent, const QDate& date) {
    TForm1 f(s, parent);
    f.setDate(date);
    f.exec();
}

void openAddressBook(app::Session& s, QWidget* parent) {
    TForm2 f(s, parent);
    f.setTakeOver(false);
    f.exec();
}

void registerCommands(app::CommandRegistry& r) {
    r.add("Pjemzbo1", [](app::Session& s, QWidget* mainWindow) { openReceipt(s, mainWindow); });
    r.add("Adres1", [](app::Session& s, QWidget* mainWindow) { openAddressBook(s, mainWindow); });
}

} // namespace stock
