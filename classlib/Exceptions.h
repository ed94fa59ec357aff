// The class library's exceptions. Messages are 8-bit Windows-1250 texts, English for the
// library's own.
#pragma once

#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : m_message(std::move(message)) {}
    const std::string& Message() const { return m_message; }
    const char* what() const noexcept override { return m_message.c_str(); }

private:
    std::string m_message;
};

// Ends an operation without telling the user: the message loop drops it.
class EAbort : public Exception {
public:
    using Exception::Exception;
};

// A resource the program needs is not in its file.
class EResNotFound : public Exception {
public:
    using Exception::Exception;
};

// A layout that cannot be read: bad syntax, an unknown name, a value out of range.
class EReadError : public Exception {
public:
    using Exception::Exception;
};

// A call to the system failed; the message names the call and carries the system's reason.
class EOSError : public Exception {
public:
    EOSError(const char* call, unsigned long error);
};

class ERegistryException : public Exception {
public:
    using Exception::Exception;
};
