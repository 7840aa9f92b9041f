#include "reporting/preview.h"

#include "reporting/dotisku.h"

namespace reporting {

namespace {

PreviewHandler& handler() {
    static PreviewHandler h;
    return h;
}

} // namespace

void preview(std::shared_ptr<const Document> doc, ui::Prompter& prompter, QWidget* parent) {
    if (!doc || doc->isEmpty()) {
        prompter.tell("Talírka", kEmptyReportText, ui::Icon::Information);
        return;
    }
    if (handler()) {
        handler()(std::move(doc), prompter, parent);
        return;
    }
    TPrevForm form(std::move(doc), prompter, parent);
    form.showModal();
}

void setPreviewHandler(PreviewHandler h) { handler() = std::move(h); }

PreviewCapture::PreviewCapture() : previous_(handler()) {
    handler() = [this](std::shared_ptr<const Document> d, ui::Prompter&, QWidget*) { documents.push_back(std::move(d)); };
}

PreviewCapture::~PreviewCapture() { handler() = std::move(previous_); }

} // namespace reporting
