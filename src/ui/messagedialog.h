#pragma once

#include "ui/prompter.h"

#include <QDialog>

class QLabel;
class QHBoxLayout;
class QPushButton;

namespace ui {

// Set TALIRKA_UNATTENDED to run without anybody at the screen (scripts, the process tests): every
// dialog writes its text to stderr and returns at once, a message with one button as if it was
// pressed, a question as if it was closed without a choice.
bool unattended();

// The program's message box: a caption, one of the five icons, the text and a row of buttons with
// the given Czech captions. The main window keeps a few as named instances; a command may borrow
// one (change caption, icon, text, buttons) and put it back into its resting state afterwards.
class MessageDialog : public QDialog {
    Q_OBJECT
public:
    explicit MessageDialog(QWidget* parent = nullptr);
    // A named instance of the main window with its resting state.
    MessageDialog(QWidget* parent, const QString& objectName, const Message& resting);

    void setMessage(const Message& m);
    Message message() const;
    void setCaption(const QString& caption);
    void setText(const QString& text);
    void setIcon(Icon icon);
    void setButtons(const QStringList& captions);
    QString text() const;
    Icon icon() const { return icon_; }
    QStringList buttonCaptions() const;
    QPushButton* button(int index) const;

    // The state the dialog returns to after being borrowed.
    void setResting(const Message& m);
    const Message& resting() const { return resting_; }
    void reset() { setMessage(resting_); }

    // Shows the dialog modally; the index of the button chosen, -1 when closed without a choice.
    int execute();
    // Borrows the dialog for one message and puts it back into its resting state.
    int execute(const Message& m);

private:
    void choose(int index);

    QLabel* iconLabel_;
    QLabel* textLabel_;
    QHBoxLayout* buttonRow_;
    QList<QPushButton*> buttons_;
    Icon icon_ = Icon::Information;
    Message resting_;
    int chosen_ = -1;
};

// The captions and texts of the main window's and the data module's reusable dialogs.
namespace dialogs {
// Confirmation, borrowed by the service commands.
Message suiMessageDialog1();
// Errors and warnings of the main window.
Message suiMessageDialog2();
Message prochybu();
// The data module's stop box for a document line the database refused.
Message zadne();
} // namespace dialogs

} // namespace ui
