#pragma once

#include <QString>
#include <memory>

class QWidget;

namespace app {
class Session;
}
namespace reporting {
class Document;
}

namespace stock {

// The print of the document in the workstation buffer (table3, in line order): "Příjem zboží" or
// "Výdej zboží" by the buffer's TYP. The document windows recalculate the buffer first.
std::shared_ptr<reporting::Document> buildDocumentPrint(app::Session& s);

// Builds the print and shows it in the preview window; used by "Tisk" and after every save.
void printDocument(app::Session& s, QWidget* parent);

} // namespace stock
