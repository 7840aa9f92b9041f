#include "ui/unhandled.h"

namespace ui {

namespace {
UnhandledErrorSink& sink() {
    static UnhandledErrorSink s;
    return s;
}
} // namespace

void setUnhandledErrorSink(UnhandledErrorSink s) { sink() = std::move(s); }

bool hasUnhandledErrorSink() { return bool(sink()); }

void reportUnhandled(QObject* sender, std::exception_ptr error) {
    if (!sink()) std::rethrow_exception(error);
    // A copy: the handler may replace the sink while it runs.
    const UnhandledErrorSink s = sink();
    s(sender, error);
}

} // namespace ui
