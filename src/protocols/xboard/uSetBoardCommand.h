#pragma once

#include "protocols/xboard/uXBoardProtocol.h"

#include <string>
#include <string_view>

// "setboard FEN": the whole parameter text is the position. A position that cannot be read is
// refused and the game stays as it was. xboard leaves the castling field out in variants
// without castling; such a position gets it back (see CompleteXBoardFen).
class TSetBoardCommand final : public TXBoardProtocolCommand {
public:
    TSetBoardCommand();
    std::string GetSyntax() const override { return "[FEN]"; }
    void        Execute(std::string_view AParameters) override;
};

// The FEN xboard sends, with the field it leaves out in variants without castling put back:
// five fields ending in two numbers lack the castling field (or, when the third field is
// castling rights, the en passant field) and get "-" there. Any other text is kept as it is.
std::string CompleteXBoardFen(std::string_view AFen);
