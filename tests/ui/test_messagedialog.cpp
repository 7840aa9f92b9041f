#include "modalhelper.h"

#include "ui/dialogprompter.h"
#include "ui/inputbox.h"
#include "ui/messagedialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using ui::Icon;
using ui::Message;
using ui::MessageDialog;

namespace {

QPushButton* buttonCaptioned(QWidget* w, const QString& caption) {
    for (auto* b : w->findChildren<QPushButton*>())
        if (b->text() == caption) return b;
    return nullptr;
}

void clickNext(const QString& caption) {
    onNextModal([caption](QWidget* w) {
        QPushButton* b = buttonCaptioned(w, caption);
        if (!b) {
            ADD_FAILURE() << "no button " << caption.toStdString();
            qobject_cast<QDialog*>(w)->reject();
            return;
        }
        b->click();
    });
}

struct Unattended {
    Unattended() { qputenv("TALIRKA_UNATTENDED", "1"); }
    ~Unattended() { qunsetenv("TALIRKA_UNATTENDED"); }
};

} // namespace

TEST(MessageDialog, ReturnsTheIndexOfTheButtonChosenAndMinusOneWhenClosed) {
    const Message question{"Talírka", "Uložit aktuelní doklad?", Icon::Question, {"ano", "ne", "storno"}};
    for (int i = 0; i < 3; ++i) {
        MessageDialog d;
        d.setMessage(question);
        clickNext(question.buttons[i]);
        EXPECT_EQ(d.execute(), i) << question.buttons[i].toStdString();
    }
    MessageDialog d;
    d.setMessage(question);
    onNextModal([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
    EXPECT_EQ(d.execute(), -1);
}

TEST(MessageDialog, ShowsCaptionTextIconAndButtonsInTheirOrder) {
    MessageDialog d;
    d.setMessage({"Talírka", "Opravdu smazat?", Icon::Help, {"smazat", "zpět"}});
    EXPECT_EQ(d.windowTitle(), "Talírka");
    EXPECT_EQ(d.text(), "Opravdu smazat?");
    EXPECT_EQ(d.icon(), Icon::Help);
    EXPECT_EQ(d.buttonCaptions(), QStringList({"smazat", "zpět"}));
    // A new set of buttons replaces the old one entirely.
    d.setButtons({"OK"});
    EXPECT_EQ(d.findChildren<QPushButton*>().size(), 1);
    EXPECT_EQ(d.button(0)->text(), "OK");
}

TEST(MessageDialog, BorrowedDialogReturnsToItsRestingState) {
    MessageDialog d(nullptr, "suiMessageDialog1", ui::dialogs::suiMessageDialog1());
    EXPECT_EQ(d.objectName(), "suiMessageDialog1");
    EXPECT_EQ(d.windowTitle(), "Talírka");
    EXPECT_EQ(d.text(), "Opravdu vymazat zásobník přepočtených norem?");
    EXPECT_EQ(d.icon(), Icon::Help);
    EXPECT_EQ(d.buttonCaptions(), QStringList({"smazat", "zpět"}));

    Message seen;
    onNextModal([&](QWidget* w) {
        seen = static_cast<MessageDialog*>(w)->message();
        buttonCaptioned(w, "OK")->click();
    });
    const int r = d.execute({"Talírka", "Nebyla nalezena novější verze programu!", Icon::Information, {"OK"}});
    EXPECT_EQ(r, 0);
    EXPECT_EQ(seen.text, "Nebyla nalezena novější verze programu!");
    EXPECT_EQ(seen.icon, Icon::Information);
    EXPECT_EQ(seen.buttons, QStringList({"OK"}));

    EXPECT_EQ(d.text(), "Opravdu vymazat zásobník přepočtených norem?");
    EXPECT_EQ(d.icon(), Icon::Help);
    EXPECT_EQ(d.buttonCaptions(), QStringList({"smazat", "zpět"}));
}

TEST(MessageDialog, ResetAfterBorrowingAlsoWhenTheAnswerIsEscape) {
    MessageDialog d(nullptr, "suiMessageDialog1", ui::dialogs::suiMessageDialog1());
    onNextModal([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
    EXPECT_EQ(d.execute({"Talírka", "Jiná otázka?", Icon::Question, {"ano", "ne"}}), -1);
    EXPECT_EQ(d.message().text, ui::dialogs::suiMessageDialog1().text);
    EXPECT_EQ(d.buttonCaptions(), QStringList({"smazat", "zpět"}));
}

TEST(InputBox, OkGivesAndRemembersTheValueZpetGivesNothing) {
    ui::InputBox box(nullptr, "suiInputDialog1", "Talírka SQL", "Vložte IČ organizace");
    EXPECT_EQ(box.windowTitle(), "Talírka SQL");
    EXPECT_EQ(box.prompt(), "Vložte IČ organizace");
    EXPECT_EQ(box.okButton()->text(), "OK");
    EXPECT_EQ(box.backButton()->text(), "zpět");
    box.setValueText("00123456");

    QString shown;
    onNextModal([&](QWidget* w) {
        auto* e = w->findChild<QLineEdit*>("value");
        shown = e->text();
        e->setText("87654321");
        buttonCaptioned(w, "OK")->click();
    });
    EXPECT_EQ(box.execute(), std::optional<QString>("87654321"));
    EXPECT_EQ(shown, "00123456");
    EXPECT_EQ(box.valueText(), "87654321");

    onNextModal([](QWidget* w) {
        w->findChild<QLineEdit*>("value")->setText("11111111");
        buttonCaptioned(w, "zpět")->click();
    });
    EXPECT_EQ(box.execute(), std::nullopt);
    EXPECT_EQ(box.valueText(), "87654321");
}

TEST(DialogPrompter, AsksThroughTheProgramsDialogs) {
    ui::DialogPrompter p;
    Message seen;
    onNextModal([&](QWidget* w) {
        auto* d = qobject_cast<MessageDialog*>(w);
        ASSERT_NE(d, nullptr);
        seen = d->message();
        buttonCaptioned(w, "ne")->click();
    });
    EXPECT_EQ(p.choose("Talírka", "Uložit aktuelní doklad?", Icon::Question, {"ano", "ne", "storno"}), "ne");
    EXPECT_EQ(seen.caption, "Talírka");
    EXPECT_EQ(seen.text, "Uložit aktuelní doklad?");
    EXPECT_EQ(seen.icon, Icon::Question);

    onNextModal([](QWidget* w) {
        EXPECT_EQ(w->windowTitle(), "Talírka SQL");
        auto* e = w->findChild<QLineEdit*>("value");
        EXPECT_EQ(e->text(), "123");
        e->setText("456");
        buttonCaptioned(w, "OK")->click();
    });
    EXPECT_EQ(p.input("Talírka SQL", "Vložte IČ organizace", "123"), std::optional<QString>("456"));
}

TEST(DialogPrompter, UnattendedRunNeverWaitsForAnAnswer) {
    Unattended on;
    ui::DialogPrompter p;
    // A message is taken as read, a question as closed without a choice, an input as cancelled.
    EXPECT_EQ(p.ask({"Talírka SQL", "Neočekávaná chyba", Icon::Stop, {"OK"}}), 0);
    EXPECT_EQ(p.ask({"Talírka", "Opravdu smazat?", Icon::Question, {"smazat", "zpět"}}), -1);
    EXPECT_EQ(p.input("Talírka SQL", "Vložte IČ organizace", "1"), std::nullopt);
}
