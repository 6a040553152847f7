#pragma once

#include "support/uMessageLevel.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class TTable;

enum TDlgBtn : std::uint8_t {
    mbOK,
    mbYes,
    mbYesToAll,
    mbRetry,
    mbIgnore,
    mbAbort,
    mbDelete,
    mbDeleteAll,
    mbNo,
    mbNoToAll,
    mbCancel,
    mbAll,
    mbHelp,
    mbClose
};
using TDlgButtons = std::uint16_t;
constexpr TDlgButtons ButtonSet(TDlgBtn AButton) {
    return static_cast<TDlgButtons>(1u << AButton);
}
std::string_view ButtonCaption(TDlgBtn AButton);

// The common output: messages of a level, captions and tables for people.
class IOutputInfo {
public:
    virtual ~IOutputInfo() = default;
    virtual void    AddCaption(std::string_view AText) = 0;
    virtual void    AddMessage(std::string_view AText, TMessageLevel ALevel) = 0;
    void            AddFatalError(std::string_view AText) { AddMessage(AText, mlFatalError); }
    void            AddError(std::string_view AText) { AddMessage(AText, mlError); }
    void            AddWarning(std::string_view AText) { AddMessage(AText, mlWarning); }
    void            AddInfo(std::string_view AText) { AddMessage(AText, mlInformation); }
    void            AddDebug(std::string_view AText) { AddMessage(AText, mlDebug); }
    virtual void    AddTable(const TTable& ATable) = 0;
    virtual TDlgBtn Confirmation(std::string_view AText, TDlgButtons AButtons) = 0;
    bool            ConfirmationYesNo(std::string_view AText) {
                   return Confirmation(AText, ButtonSet(mbYes) | ButtonSet(mbNo)) == mbYes;
    }
    bool ConfirmationRetryIgnore(std::string_view AText) {
        return Confirmation(AText, ButtonSet(mbRetry) | ButtonSet(mbIgnore)) == mbRetry;
    }
};

// The process-wide common output; empty before the application installs one.
std::shared_ptr<IOutputInfo> CommonOutput();
void                         SetCommonOutput(std::shared_ptr<IOutputInfo> AOutput);

// Each sends the text to the main log if it accepts the level, then to the common output.
void        WriteMessage(TMessageLevel ALevel, std::string_view AText);
inline void WriteInformation(std::string_view AText) {
    WriteMessage(mlInformation, AText);
}
inline void WriteWarning(std::string_view AText) {
    WriteMessage(mlWarning, AText);
}
inline void WriteError(std::string_view AText) {
    WriteMessage(mlError, AText);
}
inline void WriteFatalError(std::string_view AText) {
    WriteMessage(mlFatalError, AText);
}
// Sends a table to the common output, if any.
void WriteTable(const TTable& ATable);
