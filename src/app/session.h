#pragma once

#include "core/environment.h"
#include "core/inifile.h"
#include "db/connection.h"
#include "db/dataset.h"
#include "ui/prompter.h"

#include <memory>

namespace app {

// The data module: the one connection, the workstation table names and the datasets that several
// windows share.
struct TDataModule1 {
    db::Connection ZConnection1;
    QString pracTabulka;    // "prac_" + cleaned computer name: the document buffer
    QString vzorTabulka;    // "vzor_" + pracTabulka: the norm template
    db::Dataset table1{ZConnection1, "select * from adresar"};
    db::Dataset table2{ZConnection1, "select * from vse limit 1,0"};
    db::Dataset table3{ZConnection1};
    db::Dataset table4{ZConnection1, "select * from norma"};
    db::Dataset table5{ZConnection1, "select * from prackal"};
    db::Dataset pracn{ZConnection1, "select * from pracn"};
    db::Dataset pracnorm{ZConnection1, "select * from pracnorm"};
    db::Dataset Qseznam{ZConnection1, "select distinct CISLPOLOZ, JKPOV, TEXT, NAKUPCENA,MJ, MNOZSTVI, upper(TEXT) as ntext\n"
                                      "from vse order by ntext"};
};

// What every command reads: the data module, the active canteen, the installation identity,
// the program folder and the settings files. The main window owns one; tests build one over a
// test database.
class Session {
public:
    Session(core::Environment env, ui::Prompter& prompter);

    db::Connection& conn() { return dm.ZConnection1; }
    ui::Prompter& prompter() { return *prompter_; }
    void setPrompter(ui::Prompter& p) { prompter_ = &p; }

    core::Environment env;
    core::IniFile settings;   // per-workstation settings file
    TDataModule1 dm;

    // Canteens: the first two rows of jidelny and the active one.
    QString nazevA, nazevB, oznacA, oznacB;
    int aktIndex = -1;
    QString aktNazev, aktOznac;

    QString zdrojPoctu;       // "sql" when the meal-ordering database is named in ident
    QString icoOrg;           // ident.ico

    // Makes the first (0) or second (1) canteen active and remembers it for this workstation.
    void selectCanteen(int index);
    void saveSettings() { settings.save(); }

private:
    ui::Prompter* prompter_;
};

} // namespace app
