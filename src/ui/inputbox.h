#pragma once

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {

// The input box: caption, prompt, one line of text and the buttons "OK" and "zpět". The main
// window's suiInputDialog1 keeps the last value confirmed (ValueText) for the settings file.
class InputBox : public QDialog {
    Q_OBJECT
public:
    explicit InputBox(QWidget* parent = nullptr);
    InputBox(QWidget* parent, const QString& objectName, const QString& caption, const QString& prompt);

    void setCaption(const QString& caption) { setWindowTitle(caption); }
    void setPrompt(const QString& prompt);
    QString prompt() const;
    // The last value confirmed with "OK" (and the value the box opens with).
    const QString& valueText() const { return value_; }
    void setValueText(const QString& v) { value_ = v; }

    QLineEdit* edit() const { return edit_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* backButton() const { return back_; }

    // Shows the box modally; the value on "OK", nothing on "zpět" or when closed.
    std::optional<QString> execute();

private:
    QLabel* prompt_;
    QLineEdit* edit_;
    QPushButton* ok_;
    QPushButton* back_;
    QString value_;
};

} // namespace ui
