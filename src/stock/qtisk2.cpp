#include "stock/qtisk2.h"

// The report itself follows with the report engine; until then the print shows nothing.
namespace stock {

std::shared_ptr<reporting::Document> buildDocumentPrint(app::Session&) { return {}; }

void printDocument(app::Session&, QWidget*) {}

} // namespace stock
