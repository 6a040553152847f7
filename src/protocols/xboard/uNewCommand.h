#pragma once

#include "app/uCustomCommand.h"
#include "protocols/xboard/uXBoardProtocol.h"

#include <string>
#include <string_view>

// The game commands of the XBoard protocol: new game, variant, position, moves, take-backs and
// the end of a game.

// "new": standard chess from its start position, clocks at zero, no depth limit, auto play on.
// xboard names the variant only for games that are not standard chess, so a new game must not
// keep the variant of the previous one.
class TNewCommand final : public TXBoardProtocolCommand {
public:
    TNewCommand();
    void Execute(std::string_view AParameters) override;
};

// "variant NAME": the variant of that name, xboard's names (normal, fischerandom, lower case)
// included; an unknown name raises the parse error expecting 'VariantName'.
class TVariantCommand final : public TXBoardProtocolCommand {
public:
    TVariantCommand();
    std::string GetSyntax() const override { return "[VariantName]"; }
    void        Execute(std::string_view AParameters) override;
};

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

// "usermove MOVE": plays the front end's move; in auto play the engine then answers with its
// own. A move the engine cannot play is answered with "Illegal move: MOVE", which makes the
// front end take it back; the position and the play state stay as they were.
class TUserMoveCommand final : public TXBoardProtocolCommand {
public:
    TUserMoveCommand();
    void Execute(std::string_view AParameters) override;
};

// "undo": one move back; "remove": two moves back (the user is on move again).
class TUndoCommand final : public TXBoardProtocolCommand {
public:
    TUndoCommand();
    std::string GetSyntax() const override { return {}; }
    void        Execute(std::string_view AParameters) override;
};

class TRemoveCommand final : public TXBoardProtocolCommand {
public:
    TRemoveCommand();
    std::string GetSyntax() const override { return {}; }
    void        Execute(std::string_view AParameters) override;
};

// "result CODE {COMMENT}": the game is over; the engine stops, the result itself is not used.
class TResultCommand final : public TEngineCommand {
public:
    TResultCommand();
    std::string GetSyntax() const override { return "[ResultCode Comment]"; }
    void        Execute(std::string_view AParameters) override;
};

// "draw": the opponent offers a draw; the engine accepts it when its last search said so.
class TDrawCommand final : public TSimpleEngineCommand {
public:
    TDrawCommand();

protected:
    void ExecuteNoParam() override;
};

// "hint": "Hint: " and the second move of the actual analysis line (the move expected from the
// opponent), or the null move when the line is shorter.
class THintCommand final : public TSimpleEngineCommand {
public:
    THintCommand();

protected:
    void ExecuteNoParam() override;
};

// "bk": the book moves of the position, as the engine's book reports them.
class TBkCommand final : public TSimpleEngineCommand {
public:
    TBkCommand();

protected:
    void ExecuteNoParam() override;
};
