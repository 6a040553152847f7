#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The one exception family of the program. Commands throw; the main loop reports the message
// and goes on. Messages are the exact texts users and front ends see.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& AMessage) : std::runtime_error(AMessage) {}
    // The class name shown by the log's exception report.
    virtual const char* ClassName() const noexcept { return "Exception"; }
};

#define KV_EXCEPTION_CLASS(Name, Base)                                                             \
    class Name : public Base {                                                                     \
    public:                                                                                        \
        using Base::Base;                                                                          \
        const char* ClassName() const noexcept override { return #Name; }                          \
    }

KV_EXCEPTION_CLASS(EArgumentException, Exception);
KV_EXCEPTION_CLASS(EArgumentOutOfRangeException, EArgumentException);
KV_EXCEPTION_CLASS(ENotSupportedException, Exception);
KV_EXCEPTION_CLASS(EConvertError, Exception);
KV_EXCEPTION_CLASS(EFileNotFoundException, Exception);
KV_EXCEPTION_CLASS(ENotImplemented, Exception);

// Silent: reporters ignore it.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
    const char* ClassName() const noexcept override { return "EAbort"; }
};

// "Parse: 'a', 'b' or 'c' expected but token 'x' found."
class EParseError : public Exception {
public:
    EParseError(const std::vector<std::string>& AExpected, std::string_view AActual);
    EParseError(std::string_view APrefix, const std::vector<std::string>& AExpected,
                std::string_view AActual);
    const char* ClassName() const noexcept override { return "EParseError"; }

    // Each token in single quotes, ", " between them, " or " before the last; "nothing" if none.
    static std::string ExpectedList(const std::vector<std::string>& AExpected);
    static std::string Message(std::string_view APrefix, const std::vector<std::string>& AExpected,
                               std::string_view AActual);
};

// Inside a catch block: throws an Exception whose message is AContext followed by the message
// of the exception being handled, which stays nested in it with its class
// (std::throw_with_nested): "(MoveIndex: 2, StringIndex: 11): " + "Illegal move: e1e3".
[[noreturn]] void RethrowWithContext(const std::string& AContext);

// The messages of an exception and of its nested chain, one per line; a nested message that
// ends the message wrapping it (a context added by RethrowWithContext) is not repeated.
std::string ExceptionChainText(const std::exception& AException);
