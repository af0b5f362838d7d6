#include "ErrorGuard.h"

namespace toolkit {

namespace {
ErrorSink& Sink() {
    static ErrorSink sink;
    return sink;
}
}  // namespace

void SetErrorSink(ErrorSink sink) { Sink() = std::move(sink); }

void ReportError(const std::exception& error) {
    // Reporting itself must never throw back into a window procedure.
    try {
        if (Sink()) Sink()(error);
    } catch (...) {
    }
}

}  // namespace toolkit
