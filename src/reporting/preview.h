#pragma once

#include "reporting/document.h"
#include "ui/prompter.h"

#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace reporting {

// What the user is told instead of an empty preview.
inline const QString kEmptyReportText = "Pro zadané podmínky nejsou žádná data k tisku.";

using PreviewHandler = std::function<void(std::shared_ptr<const Document>, ui::Prompter&, QWidget* parent)>;

// Every report goes through here: an empty one only tells the user so; any other is shown in the
// preview window (TPrevForm, modal), unless a handler was set in its place.
void preview(std::shared_ptr<const Document> doc, ui::Prompter& prompter, QWidget* parent);

// Replaces the preview window, e.g. by a window kept for the whole run; an empty handler restores it.
void setPreviewHandler(PreviewHandler handler);

// Keeps the reports instead of showing them, while it lives (tests, batch runs).
class PreviewCapture {
public:
    PreviewCapture();
    ~PreviewCapture();
    PreviewCapture(const PreviewCapture&) = delete;
    PreviewCapture& operator=(const PreviewCapture&) = delete;

    std::vector<std::shared_ptr<const Document>> documents;
    const Document& last() const { return *documents.back(); }

private:
    PreviewHandler previous_;
};

} // namespace reporting
