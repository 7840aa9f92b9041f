#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <stdexcept>
#include <vector>

namespace ui {

enum class Icon { Information, Warning, Stop, Question, Help };

struct Message {
    QString caption;
    QString text;
    Icon icon = Icon::Information;
    QStringList buttons{"OK"};
};

// The one way program logic tells and asks the user. The program shows its own dialogs; tests
// answer from a script and read back every text.
class Prompter {
public:
    virtual ~Prompter() = default;
    // Returns the index of the chosen button, -1 when the dialog was closed without a choice.
    virtual int ask(const Message& m) = 0;
    // An input box; no value when the user cancelled.
    virtual std::optional<QString> input(const QString& caption, const QString& prompt, const QString& value) = 0;

    void tell(const QString& caption, const QString& text, Icon icon = Icon::Information) {
        ask({caption, text, icon, {"OK"}});
    }
    // Asks with the given button captions and returns the caption chosen (empty when closed).
    QString choose(const QString& caption, const QString& text, Icon icon, const QStringList& buttons) {
        const int i = ask({caption, text, icon, buttons});
        return i >= 0 && i < buttons.size() ? buttons[i] : QString();
    }
};

// A question the test did not expect.
class UnexpectedQuestion : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// Answers from a queue of button captions and records every message. A message with one button
// needs no answer; a question with no answer queued throws UnexpectedQuestion.
class ScriptedPrompter : public Prompter {
public:
    struct Record {
        Message message;
        QString answer;
    };

    void answer(const QString& buttonCaption) { answers_.push_back(buttonCaption); }
    void answerInput(std::optional<QString> value) { inputs_.push_back(std::move(value)); }

    int ask(const Message& m) override;
    std::optional<QString> input(const QString& caption, const QString& prompt, const QString& value) override;

    const std::vector<Record>& records() const { return records_; }
    QStringList texts() const;
    QString lastText() const { return records_.empty() ? QString() : records_.back().message.text; }
    void clear() { records_.clear(); }
    bool allAnswersUsed() const { return answers_.empty() && inputs_.empty(); }

private:
    std::deque<QString> answers_;
    std::deque<std::optional<QString>> inputs_;
    std::vector<Record> records_;
};

} // namespace ui
