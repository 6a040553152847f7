#include "support/uOutputInfo.h"

#include "support/uLogger.h"

#include <array>
#include <mutex>

namespace {
std::mutex                   GOutputLock;
std::shared_ptr<IOutputInfo> GCommonOutput;

constexpr std::array<std::string_view, 14> ButtonCaptions = {
    "&OK",         "&Yes", "Yes to &All", "&Retry",  "&Ignore", "&Abort", "&Delete",
    "Delete A&ll", "&No",  "N&o to All",  "&Cancel", "&All",    "&Help",  "&Close"};
static_assert(ButtonCaptions.size() == mbClose + 1);
} // namespace

std::string_view ButtonCaption(TDlgBtn AButton) {
    return ButtonCaptions[AButton];
}

std::shared_ptr<IOutputInfo> CommonOutput() {
    std::scoped_lock lock(GOutputLock);
    return GCommonOutput;
}

void SetCommonOutput(std::shared_ptr<IOutputInfo> AOutput) {
    std::scoped_lock lock(GOutputLock);
    GCommonOutput = std::move(AOutput);
}

void WriteMessage(TMessageLevel ALevel, std::string_view AText) {
    if (TLogger* log = MainLog())
        log->Log(ALevel, AText);
    if (const auto output = CommonOutput())
        output->AddMessage(AText, ALevel);
}

void WriteTable(const TTable& ATable) {
    if (const auto output = CommonOutput())
        output->AddTable(ATable);
}
