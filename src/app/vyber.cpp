#include "app/vyber.h"

#include "app/datamodul.h"
#include "app/crashmarker.h"
#include "app/globalhotkey.h"
#include "app/maintenance.h"
#include "app/osetrenichyb.h"
#include "reporting/printing.h"
#include "ui/inputbox.h"
#include "ui/messagedialog.h"
#include "core/inifile.h"
#include "db/sqltext.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace app {

namespace {

const char* kSection = "TForm4";

// Our own pictures for the five buttons, drawn so that no image files are needed.
QIcon buttonIcon(int n) {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (n) {
    case 1:
    case 2: {
        p.setBrush(QColor(250, 250, 240));
        p.setPen(QPen(Qt::darkGray, 1));
        p.drawRect(6, 3, 18, 25);
        for (int y = 9; y < 26; y += 4) p.drawLine(9, y, 21, y);
        p.setPen(Qt::NoPen);
        p.setBrush(n == 1 ? QColor(30, 150, 60) : QColor(200, 50, 40));
        QPainterPath arrow;
        if (n == 1) {
            arrow.moveTo(31, 20); arrow.lineTo(22, 13); arrow.lineTo(22, 17); arrow.lineTo(14, 17);
            arrow.lineTo(14, 23); arrow.lineTo(22, 23); arrow.lineTo(22, 27);
        } else {
            arrow.moveTo(14, 20); arrow.lineTo(23, 13); arrow.lineTo(23, 17); arrow.lineTo(31, 17);
            arrow.lineTo(31, 23); arrow.lineTo(23, 23); arrow.lineTo(23, 27);
        }
        p.drawPath(arrow);
        break;
    }
    case 3:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 110, 190));
        p.drawRect(4, 18, 6, 11);
        p.drawRect(13, 10, 6, 19);
        p.drawRect(22, 4, 6, 25);
        break;
    case 4:
        p.setBrush(QColor(255, 236, 170));
        p.setPen(QPen(QColor(150, 110, 20), 1.5));
        p.drawRoundedRect(3, 6, 26, 20, 3, 3);
        p.drawLine(7, 12, 25, 12);
        p.drawLine(7, 17, 20, 17);
        p.drawLine(7, 21, 16, 21);
        break;
    default:
        p.setBrush(Qt::white);
        p.setPen(QPen(QColor(90, 90, 90), 1.5));
        p.drawEllipse(3, 3, 26, 26);
        p.drawEllipse(9, 9, 14, 14);
        break;
    }
    return QIcon(pm);
}

} // namespace

TStartDialog::TStartDialog() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("TStartDialog");
    const QPixmap pm = picture();
    // A single raised frame line: the window is 4 pixels wider and higher than the picture.
    setFixedSize(pm.width() + 4, pm.height() + 4);
    auto* l = new QLabel(this);
    l->setPixmap(pm);
    l->setGeometry(2, 2, pm.width(), pm.height());
    setStyleSheet("TStartDialog { border: 2px outset #c8c8c8; background: #f0f0f0; }");
    if (QScreen* s = QGuiApplication::primaryScreen()) move(s->geometry().center() - rect().center());
}

QPixmap TStartDialog::picture() {
    QPixmap pm(360, 200);
    pm.fill(QColor(250, 246, 236));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(120, 120, 120), 3));
    p.drawEllipse(QPoint(80, 100), 55, 55);
    p.drawEllipse(QPoint(80, 100), 35, 35);
    p.setPen(QColor(60, 60, 60));
    QFont f = p.font();
    f.setPointSize(26);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(150, 60, 200, 50), Qt::AlignLeft | Qt::AlignVCenter, "Talírka");
    f.setPointSize(10);
    f.setBold(false);
    p.setFont(f);
    p.drawText(QRect(150, 110, 200, 40), Qt::AlignLeft | Qt::TextWordWrap, "sklad a jídelníček školní jídelny");
    return pm;
}

TForm4::TForm4(core::Environment env, const CommandRegistry& commands, TForm4Options options)
    : commands_(commands), options_(std::move(options)) {
    setObjectName("TForm4");
    setWindowTitle("Talírka");
    if (!options_.prompter) throw std::logic_error("TForm4 needs a prompter");
    session_ = std::make_unique<Session>(std::move(env), *options_.prompter);
    if (options_.installErrorHandler) {
        handler_ = std::make_unique<ErrorHandler>(*session_);
        handler_->install();
    }

    if (options_.splash) {
        splash_ = new TStartDialog();
        splash_->show();
        splash_->repaint();
        QApplication::processEvents();
    }
    startTime_ = QDateTime::currentDateTime();

    buildMenu();
    buildButtons();
    buildStatusBar();
    buildDialogs();

    // The data module: connection, upgrades, work table, canteens. A failure here (no server,
    // wrong password, a missing table) is an unexpected error like any other.
    try {
        DataModuleStartup startup(*session_);
        if (options_.connection) startup.run(*options_.connection);
        else startup.run();
    } catch (...) {
        if (handler_) handler_->OsetreniChyb(this, std::current_exception());
        throw;
    }
    applyCanteens();
    onStartupTimer = [](Session& s) { Aktualizaceprogr(s, true); };

    startTimer_ = new QTimer(this);
    startTimer_->setObjectName("Timer1");
    startTimer_->setSingleShot(true);
    startTimer_->setInterval(options_.startupTimerMs);
    connect(startTimer_, &QTimer::timeout, this, [this] {
        startTimer_->stop();
        if (onStartupTimer) onStartupTimer(*session_);
    });
    installHotKey();
}

TForm4::~TForm4() { delete splash_; }

void TForm4::buildDialogs() {
    dlg1_ = new ui::MessageDialog(this, "suiMessageDialog1", ui::dialogs::suiMessageDialog1());
    dlg2_ = new ui::MessageDialog(this, "suiMessageDialog2", ui::dialogs::suiMessageDialog2());
    prochybu_ = new ui::MessageDialog(this, "prochybu", ui::dialogs::prochybu());
    input1_ = new ui::InputBox(this, "suiInputDialog1", "Talírka SQL", "Vložte IČ organizace");
}

QAction* TForm4::addItem(QMenu* m, const QString& caption, const QString& component) {
    QAction* a = m->addAction(caption);
    a->setObjectName(component);
    connect(a, &QAction::triggered, this, [this, component] { runCommand(component); });
    return a;
}

QAction* TForm4::action(const QString& component) const { return findChild<QAction*>(component); }

QMenu* TForm4::menu(const QString& name) const { return findChild<QMenu*>(name); }

void TForm4::buildMenu() {
    QMenuBar* mb = menuBar();
    canteenMenu_ = mb->addMenu("Výběr jídelny");
    canteenMenu_->setObjectName("Vyberjidelny1");
    QAction* a1 = canteenMenu_->addAction("a");
    a1->setObjectName("a1");
    a1->setCheckable(true);
    QAction* b1 = canteenMenu_->addAction("b");
    b1->setObjectName("b1");
    b1->setCheckable(true);
    connect(a1, &QAction::triggered, this, [this] { selectCanteen(0); });
    connect(b1, &QAction::triggered, this, [this] { selectCanteen(1); });

    // The menus as a table: "-" is a separator (with an optional name), "[x]" a check item,
    // ">" opens a submenu of the current menu, "<" closes it.
    struct Item {
        const char* caption;
        const char* component;
    };
    static const Item items[] = {
        {"#Sklad", "Sklad1"},
        {"Příjem zboží", "Pjemzbo1"}, {"Výdej zboží", "Vdejzbo1"}, {"-", ""},
        {"Skladová karta", "Skladovakarta21"}, {"Adresář", "Adres1"}, {"-", ""}, {"Konec", "Konec1"},
        {"#Normy", "Normy1"},
        {"Definice norem jídel", "Zaloit1"}, {"Kalkulace normy podle počtu", "Kalkulacenormy1"},
        {"Kumulace surovin z norem", "isksurovinznorem1"}, {"Normy do výdejky", "iskpodledata1"}, {"-", "N3"},
        {"Výmaz přepoč.norem", "Vmazpeponorem1"},
        {"#Tisky", "Tisky1"},
        {"Přijaté a vydané za období - položkově", "Pjmyavdejezaobdob1"},
        {"Přijaté a vydané za období - dokladově", "Pijatavydanzaobdobdokladov1"},
        {"Konečné stavy k datu", "Konenstavykdatu1"}, {"Obraty za období", "Potenstavykdatu1"}, {"-", ""},
        {"Seznam dokladů za období", "Seznamdokladzaobdob1"}, {"Seznam koeficientů", "Seznamkoeficient1"},
        {"-", ""}, {"Vytvoření jídelního lístku", "Vytvoenjdelnholstku1"}, {"-", ""},
        {">Alergeny", "Alergeny1"},
        {"Opis seznamu alergenů", "Seznamalergen1"}, {"Opis alergenů u položek", "Alergenyknormm1"}, {"<", ""},
        {"#Servis", "Servis1"},
        {"Nastavení tiskárny", "Nastaventiskrny1"}, {"Nastavení skupin", "Nastavennormy1"},
        {"[x]Aktivní přenos jídelníčku na internet", "Aktivnpenosjdelnkunainternet1"},
        {"[x]Jídelníček celodenní", "Jdelnekcelodenn1"}, {"-", ""},
        {"Záloha dat", "Datovzdroj1"}, {"Údržba datových souborů", "drbadatovchsoubor1"},
        {"Rušení nepoužitých položek ceníku", "Ruennepouitchpoloekcenku1"},
        {"Rušení prázdných skladových karet", "Ruenprzdnchpoloekcenku1"},
        {"Rušení nulových skl.karet  starších dvou let", "Ruennulovchsklkaretstarchdvoulet1"},
        {"#Pomoc", "Pomoc1"},
        {"Kontrola nové verze", "Zkontrolovatnovouverzinainternetu1"}, {"Popis programu", "Popisprogramu1"},
        {"Poslední změny", "Poslednzmny1"}, {"-", ""}, {"O programu", "Oprogramu2"},
        {"#Konec", "Konec2"},
        {"Opravdu ukončit!", "Opravduukonit1"},
    };
    QMenu* top = nullptr;
    QMenu* cur = nullptr;
    for (const Item& it : items) {
        const QString caption = QString::fromUtf8(it.caption);
        if (caption.startsWith('#')) {
            top = cur = mb->addMenu(caption.mid(1));
            cur->setObjectName(it.component);
        } else if (caption.startsWith('>')) {
            cur = top->addMenu(caption.mid(1));
            cur->setObjectName(it.component);
        } else if (caption == "<") {
            cur = top;
        } else if (caption == "-") {
            cur->addSeparator()->setObjectName(it.component);
        } else if (caption.startsWith("[x]")) {
            QAction* a = cur->addAction(caption.mid(3));
            a->setObjectName(it.component);
            a->setCheckable(true);
        } else {
            addItem(cur, caption, it.component);
        }
    }
}

void TForm4::buildButtons() {
    auto* central = new QWidget(this);
    auto* v = new QVBoxLayout(central);
    auto* row = new QWidget(central);
    row->setObjectName("buttonRow");
    row->setFixedHeight(40);
    struct B {
        const char* name;
        const char* hint;
        const char* same;
    };
    static const B bs[] = {{"suiImageButton1", "Příjmový doklad", "Pjemzbo1"},
                           {"suiImageButton2", "Výdajový doklad", "Vdejzbo1"},
                           {"suiImageButton3", "Aktuelní stav", "Konenstavykdatu1"},
                           {"suiImageButton4", "Skladová karta", "Skladovakarta21"},
                           {"suiImageButton5", "Jídelní lístek", "Vytvoenjdelnholstku1"}};
    int x = 4;
    for (int i = 0; i < 5; ++i) {
        auto* b = new QToolButton(row);
        b->setObjectName(bs[i].name);
        b->setToolTip(bs[i].hint);
        b->setIcon(buttonIcon(i + 1));
        b->setIconSize(QSize(32, 32));
        b->setFixedSize(36, 36);
        b->setAutoRaise(true);
        b->setCursor(Qt::PointingHandCursor);
        b->move(x, 2);
        x += 42;
        const QString same = bs[i].same;
        connect(b, &QToolButton::clicked, this, [this, same] {
            if (QAction* a = action(same)) a->trigger();
        });
        buttons_.push_back(b);
    }
    v->addWidget(row);
    label1_ = new QLabel(central);
    label1_->setObjectName("Label1");
    QFont f = label1_->font();
    f.setPointSize(f.pointSize() + 3);
    f.setBold(true);
    label1_->setFont(f);
    label1_->setAlignment(Qt::AlignCenter);
    v->addWidget(label1_);
    setCentralWidget(central);
    setFixedSize(460, 170);
}

void TForm4::buildStatusBar() {
    QStatusBar* sb = statusBar();
    sb->setSizeGripEnabled(false);
    auto* maker = new QLabel("Talírka – sklad a jídelníček", sb);
    maker->setObjectName("makerLine");
    sb->addWidget(maker);
    stav_ = new QProgressBar(sb);
    stav_->setObjectName("stav");
    stav_->setMaximumWidth(80);
    stav_->hide();
    sb->addWidget(stav_);
    konkaret_ = new QProgressBar(sb);
    konkaret_->setObjectName("konkaret");
    konkaret_->setMaximumWidth(120);
    konkaret_->setTextVisible(true);
    konkaret_->hide();
    sb->addWidget(konkaret_);
    clock_ = new QLabel(sb);
    clock_->setObjectName("clock");
    sb->addPermanentWidget(clock_);
    clockTimer_ = new QTimer(this);
    connect(clockTimer_, &QTimer::timeout, this,
            [this] { clock_->setText(statusClockText(QDateTime::currentDateTime())); });
    clock_->setText(statusClockText(QDateTime::currentDateTime()));
    clockTimer_->start(1000);
}

QString TForm4::statusClockText(const QDateTime& now) { return now.toString("hh:mm:ss dd/MM/yy "); }

QString TForm4::twoYearCleanupCaption(const QDate& today) {
    return "Rušení nulových skladových karet k " + QDate(today.year() - 2, 1, 1).toString("d.M.yyyy");
}

void TForm4::applyCanteens() {
    Session& s = *session_;
    label1_->setText(s.aktNazev);
    if (s.aktIndex == -1 && s.aktNazev.isEmpty()) {
        // No canteens: the canteen menu goes away altogether.
        canteenMenu_->setTitle(QString());
        canteenMenu_->clear();
        canteenMenu_->setEnabled(false);
        canteenMenu_->menuAction()->setVisible(false);
        menuBar()->removeAction(canteenMenu_->menuAction());
        canteenMenu_->deleteLater();
        canteenMenu_ = nullptr;
        return;
    }
    QAction* a1 = action("a1");
    QAction* b1 = action("b1");
    a1->setText(s.nazevA);
    b1->setText(s.nazevB);
    const bool visible = !s.aktNazev.isEmpty();
    canteenMenu_->menuAction()->setVisible(visible);
    a1->setVisible(visible);
    b1->setVisible(visible);
    a1->setChecked(s.aktIndex == 0);
    b1->setChecked(s.aktIndex != 0);
}

void TForm4::selectCanteen(int index) {
    action("a1")->setChecked(index == 0);
    action("b1")->setChecked(index != 0);
    session_->selectCanteen(index);
    label1_->setText(session_->aktNazev);
}

void TForm4::applyProfiles() {
    const auto& ini = session_->settings;
    auto hideMenu = [this](const char* name) {
        if (QMenu* m = menu(name)) {
            m->setTitle(QString());
            m->setEnabled(false);
            m->menuAction()->setVisible(false);
        }
    };
    if (ini.readString("Omezeni", "Jen_jidelnicek", "N") == "A") {
        for (const char* m : {"Sklad1", "Normy1", "Tisky1", "Servis1"}) hideMenu(m);
        for (int i = 0; i < 4; ++i) buttons_[i]->hide();
        buttons_[4]->move(buttons_[0]->pos());
    }
    if (ini.readString("Omezeni", "Jen_normy", "N") == "A") {
        for (const char* m : {"Sklad1", "Tisky1", "Servis1"}) hideMenu(m);
        if (QMenu* m = menu("Normy1")) {
            m->setEnabled(true);
            m->menuAction()->setVisible(true);
        }
        action("iskpodledata1")->setVisible(false);
        action("Vmazpeponorem1")->setVisible(false);
        action("N3")->setVisible(false);
        for (auto* b : buttons_) b->hide();
    }
}

void TForm4::restoreState() {
    const auto& ini = session_->settings;
    action("Aktivnpenosjdelnkunainternet1")
        ->setChecked(ini.readBool(kSection, "Aktivnpenosjdelnkunainternet1_Checked", false));
    action("Jdelnekcelodenn1")->setChecked(ini.readBool(kSection, "Jdelnekcelodenn1_Checked", false));
    input1_->setValueText(ini.readProperty(kSection, "suiInputDialog1", "ValueText"));
    const QString geo = ini.readString(kSection, "Position");
    const QStringList xy = geo.split(',');
    if (xy.size() == 2) move(xy[0].toInt(), xy[1].toInt());
}

void TForm4::saveState() {
    auto& ini = session_->settings;
    ini.writeInteger("Jidelny", "Aktivni_jidelna", session_->aktIndex);
    ini.writeBool(kSection, "Aktivnpenosjdelnkunainternet1_Checked",
                  action("Aktivnpenosjdelnkunainternet1")->isChecked());
    ini.writeBool(kSection, "Jdelnekcelodenn1_Checked", action("Jdelnekcelodenn1")->isChecked());
    ini.writeProperty(kSection, "suiInputDialog1", "ValueText", input1_->valueText());
    ini.writeString(kSection, "Position", QString("%1,%2").arg(pos().x()).arg(pos().y()));
    ini.save();
}

void TForm4::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (!shown_) {
        shown_ = true;
        QTimer::singleShot(0, this, [this] { FormShow(); });
    }
}

void TForm4::FormShow() {
    action("Ruennulovchsklkaretstarchdvoulet1")->setText(twoYearCleanupCaption(QDate::currentDate()));
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    restoreState();
    // The splash stays at least its minimum time since the start; a slow start closes it at once.
    if (splash_) {
        const qint64 left = options_.splashMinimumMs - startTime_.msecsTo(QDateTime::currentDateTime());
        if (left > 0) {
            // The program keeps answering while it waits.
            QEventLoop loop;
            QTimer::singleShot(left, &loop, &QEventLoop::quit);
            loop.exec();
        }
        splash_->close();
        delete splash_;
        splash_ = nullptr;
    }
    QApplication::processEvents();
    startTimer_->start();
    applyProfiles();
}

void TForm4::closeEvent(QCloseEvent* e) {
    saveState();
    QMainWindow::closeEvent(e);
}

void TForm4::runCommand(const QString& component) {
    Session& s = *session_;
    if (component == "Konec1" || component == "Opravduukonit1") {
        close();
        return;
    }
    if (component == "Popisprogramu1") return openHelp("talirka.pdf");
    if (component == "Poslednzmny1") return openHelp("zmeny.pdf");
    if (component == "Oprogramu2") {
        s.prompter().tell("O programu", "TalírkaSQL\nverze " + versionText() + "\n\nTalírka – sklad a jídelníček");
        return;
    }
    if (component == "Zkontrolovatnovouverzinainternetu1") return Aktualizaceprogr(s, false);
    if (component == "drbadatovchsoubor1") return runDataMaintenance(s);
    if (component == "Nastaventiskrny1") return reporting::printerSetup(s.prompter(), this);
    if (component == "Vytvoenjdelnholstku1") {
        // Both menu editors are modal; the check item chooses which one.
        commands_.run(action("Jdelnekcelodenn1")->isChecked() ? kFullDayMenuEditor : kWeeklyMenuEditor, s, this);
        return;
    }
    if (component == "Pjemzbo1" || component == "Vdejzbo1") {
        // Every document window starts with an empty buffer.
        if (!commands_.has(component)) return;
        recreateWorkTable(s);
    }
    commands_.run(component, s, this);
}

QString TForm4::versionText() const {
    return QCoreApplication::applicationVersion().isEmpty() ? QString("1.0.0.1") : QCoreApplication::applicationVersion();
}

void TForm4::openHelp(const QString& file) {
    const QString path = session_->env.inProgramDir(file);
    // A missing document or no viewer: nothing happens.
    if (QFile::exists(path)) QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void TForm4::showHotKeyInfo() {
    const auto& p = session_->conn().params();
    session_->prompter().tell("Talírka SQL", p.database + " " + p.user + " " + p.password, ui::Icon::Warning);
}

void TForm4::installHotKey() {
    auto* sc = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F10), this);
    sc->setObjectName("hotKey");
    sc->setContext(Qt::ApplicationShortcut);
    connect(sc, &QShortcut::activated, this, [this] { showHotKeyInfo(); });
    if (GlobalHotKey* g = GlobalHotKey::install(this)) connect(g, &GlobalHotKey::activated, this, [this] { showHotKeyInfo(); });
}

} // namespace app
