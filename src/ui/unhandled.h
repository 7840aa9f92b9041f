#pragma once

#include <exception>
#include <functional>

class QObject;

namespace ui {

// Where an error goes that no window handles itself. The program's handler of unexpected errors
// installs itself here, so that widgets below the application layer (grids) can hand it errors
// without letting them unwind through Qt's own frames.
using UnhandledErrorSink = std::function<void(QObject* sender, std::exception_ptr error)>;

void setUnhandledErrorSink(UnhandledErrorSink sink);
bool hasUnhandledErrorSink();
// Gives the error to the installed handler; with none installed it is thrown again.
void reportUnhandled(QObject* sender, std::exception_ptr error);

} // namespace ui
