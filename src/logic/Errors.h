// The error classes the program raises. Each carries the exact text the error box shows;
// the classes differ only so that callers and tests can tell the kinds apart.
#pragma once

#include <stdexcept>
#include <string>

// Base of every error the program raises on purpose.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// A silent abort: the error handler shows no box for it.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
};

// An existing file could not be opened for reading.
class EFOpenError : public Exception {
public:
    using Exception::Exception;
};

// A file could not be created or emptied for writing.
class EFCreateError : public Exception {
public:
    using Exception::Exception;
};

// Fewer bytes reached the file than were asked to be written.
class EWriteError : public Exception {
public:
    EWriteError() : Exception("Stream write error") {}
};

// The system refused a resource: a line in a list, a timer.
class EOutOfResources : public Exception {
public:
    explicit EOutOfResources(const std::string& message = "Unable to insert a line") : Exception(message) {}
};

// A text holder was asked to hold more than it can.
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

// A value that the install script cannot carry safely.
class EScriptValueError : public Exception {
public:
    using Exception::Exception;
};
