#pragma once

#include "support/uTable.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TCustomConsole;

enum TItemType : std::uint8_t {
    itHorizontal,
    itVertical,
    itVerticalAndRight,
    itVerticalAndLeft,
    itVerticalAndHorizontal,
    itDownAndRight,
    itDownAndHorizontal,
    itDownAndLeft,
    itUpAndRight,
    itUpAndHorizontal,
    itUpAndLeft
};

class TTableBorderSet {
public:
    virtual ~TTableBorderSet() = default;
    virtual std::string Get(TItemType AValue) const = 0;
};

class TTableBorderDoubleLineSet final : public TTableBorderSet {
public:
    std::string Get(TItemType AValue) const override;
};

class TTableBorderTextSet final : public TTableBorderSet {
public:
    std::string Get(TItemType AValue) const override;
};

// Draws a table on the console with box characters, fitted to the console's width.
class TConsoleTable final {
public:
    TConsoleTable(TCustomConsole& AConsole, const TTable& ATable);
    void WriteToConsole();

    // Column widths for the rows (header first) after fitting and wrapping to AConsoleWidth;
    // the rows' cells are wrapped in place. Exposed for tests.
    static std::vector<int> LayOut(std::vector<std::vector<TCell>>& ARows, int AConsoleWidth);

private:
    TCustomConsole&                  FConsole;
    const TTable&                    FTable;
    std::unique_ptr<TTableBorderSet> FTableBorderSet;
};
