#include "ui/prompter.h"

namespace ui {

int ScriptedPrompter::ask(const Message& m) {
    if (m.buttons.size() <= 1 && (answers_.empty() || !m.buttons.contains(answers_.front()))) {
        records_.push_back({m, m.buttons.value(0)});
        return m.buttons.isEmpty() ? -1 : 0;
    }
    if (answers_.empty()) {
        records_.push_back({m, {}});
        throw UnexpectedQuestion(("unexpected question: " + m.text).toStdString());
    }
    const QString a = answers_.front();
    answers_.pop_front();
    records_.push_back({m, a});
    const int i = int(m.buttons.indexOf(a));
    if (i < 0)
        throw UnexpectedQuestion(
            QString("answer \"%1\" is not a button of: %2 (%3)").arg(a, m.text, m.buttons.join(" / ")).toStdString());
    return i;
}

std::optional<QString> ScriptedPrompter::input(const QString& caption, const QString& prompt, const QString& value) {
    Message m{caption, prompt, Icon::Question, {"OK", "zpět"}};
    if (inputs_.empty()) {
        records_.push_back({m, {}});
        throw UnexpectedQuestion(("unexpected input box: " + prompt).toStdString());
    }
    auto v = inputs_.front();
    inputs_.pop_front();
    records_.push_back({m, v.value_or(QString())});
    Q_UNUSED(value);
    return v;
}

QStringList ScriptedPrompter::texts() const {
    QStringList out;
    for (const auto& r : records_) out << r.message.text;
    return out;
}

} // namespace ui
