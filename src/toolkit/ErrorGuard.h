// No error may cross a window procedure or other Win32 callback: every handler, timer
// event, creation and show handler and the idle step runs inside Guarded, which hands an
// escaping error to the application's error handler and lets the program go on.
#pragma once

#include <exception>
#include <functional>

namespace toolkit {

// Receives every error that escapes a guarded piece of work. The application object
// installs its error box here; tests may install their own.
using ErrorSink = std::function<void(const std::exception&)>;
void SetErrorSink(ErrorSink sink);
void ReportError(const std::exception& error);

// Runs `work`; an error that escapes it is reported and swallowed.
template <class Work>
void Guarded(Work&& work) {
    try {
        work();
    } catch (const std::exception& error) {
        ReportError(error);
    } catch (...) {
        ReportError(std::exception());
    }
}

}  // namespace toolkit
