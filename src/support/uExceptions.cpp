#include "support/uExceptions.h"

#include "support/uTextHelpers.h"

#include <exception>

EParseError::EParseError(const std::vector<std::string>& AExpected, std::string_view AActual)
    : Exception(Message("Parse:", AExpected, AActual)) {}

EParseError::EParseError(std::string_view APrefix, const std::vector<std::string>& AExpected,
                         std::string_view AActual)
    : Exception(Message(APrefix, AExpected, AActual)) {}

std::string EParseError::ExpectedList(const std::vector<std::string>& AExpected) {
    if (AExpected.empty())
        return "nothing";
    std::string result;
    for (std::size_t i = 0; i < AExpected.size(); ++i) {
        if (i > 0)
            result += (i + 1 == AExpected.size()) ? " or " : ", ";
        result += '\'';
        result += AExpected[i];
        result += '\'';
    }
    return result;
}

std::string EParseError::Message(std::string_view                APrefix,
                                 const std::vector<std::string>& AExpected,
                                 std::string_view                AActual) {
    std::string result(APrefix);
    result += ' ';
    result += ExpectedList(AExpected);
    result += " expected but token '";
    // No report shows more of a token than this; a megabyte of garbage is not copied around.
    constexpr std::size_t MaximalQuote = 1024;
    if (AActual.size() > MaximalQuote && Utf8Length(AActual) > MaximalQuote) {
        result += Utf8Prefix(AActual, MaximalQuote);
        result += "\u2026";
    } else {
        result += AActual;
    }
    result += "' found.";
    return result;
}

namespace {

bool EndsWith(std::string_view AText, std::string_view AEnd) {
    return AText.size() >= AEnd.size() && AText.substr(AText.size() - AEnd.size()) == AEnd;
}

void AppendChain(const std::exception& AException, std::string& AText, std::string_view AOuter) {
    const std::string_view message = AException.what();
    if (AOuter.empty() || !EndsWith(AOuter, message)) {
        if (!AText.empty())
            AText += '\n';
        AText += message;
    }
    try {
        std::rethrow_if_nested(AException);
    } catch (const std::exception& inner) {
        AppendChain(inner, AText, message);
    } catch (...) {
    }
}

} // namespace

void RethrowWithContext(const std::string& AContext) {
    std::string message = AContext;
    try {
        throw;
    } catch (const std::exception& e) {
        message += e.what();
    } catch (...) {
    }
    std::throw_with_nested(Exception(message));
}

std::string ExceptionChainText(const std::exception& AException) {
    std::string text;
    AppendChain(AException, text, {});
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}
