#include "games/shogi/uShogiPosition.h"

#include "games/uGameTestHelpers.h"
#include "support/uExceptions.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

TShogiPosition& Shogi(TTestGame& AGame) {
    return static_cast<TShogiPosition&>(*AGame.Position);
}

} // namespace

TEST(TShogiPosition, NamesSidesAndPieces) {
    TTestGame game = MakeGame("shogi");
    EXPECT_EQ(game.Position->SideColorToString(0), "Black");
    EXPECT_EQ(game.Position->SideColorToString(1), "White");
    EXPECT_EQ(game.Position->PieceToString(-13, plEnglish), "+b");
    EXPECT_EQ(game.Position->PieceToString(7, plEnglish), "R");
    EXPECT_EQ(game.Position->PieceToString(15, plEnglish), "?");
    EXPECT_EQ(game.Position->PieceToString(0, plGerman), "");
    EXPECT_THROW(game.Position->PieceToString(1, plGerman), ENotSupportedException);
    std::size_t index = 0;
    EXPECT_EQ(game.Position->StringToPiece("+r", index, true, plEnglish), -14);
}

// Files count from the first player's right, ranks from the second player's side.
TEST(TShogiPosition, WritesAndReadsUsiMoves) {
    struct TCase {
        const char* Variant;
        const char* Sfen;
        const char* Move;
    };
    constexpr TCase Cases[] = {
        {"shogi", "", "7g7f"},
        {"shogi", "", "2h6h"},
        {"shogi", "lnsgkgsnl/1r5b1/pppppp1pp/6p2/9/2P6/PP1PPPPPP/1B5R1/LNSGKGSNL b - 5", "8h2b+"},
        {"shogi", "lnsgkgsnl/1r5b1/pppppp1pp/6p2/9/2P6/PP1PPPPPP/1B5R1/LNSGKGSNL b - 5", "8h2b"},
        {"shogi", "4k4/9/9/9/9/9/9/9/4K4 b P 1", "P*5e"},
        {"shogi", "4k4/9/9/9/9/9/9/9/4K4 w 2p 1", "P*5e"},
        {"minishogi", "", "2e3d"},
        {"minishogi", "", "5d5c"},
        {"goroGoroShogi", "", "4d4c"},
        {"dobutsuShogi", "", "2c2b"},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(std::string(c.Variant) + " " + c.Move);
        TTestGame   game = MakeGame(c.Variant, c.Sfen);
        const TMove generated = game.FindMove(c.Move);
        EXPECT_EQ(game.Position->MoveToString(generated), c.Move);
        const std::unique_ptr<TMove> parsed = game.Position->StringToMove(c.Move);
        EXPECT_TRUE(IsSameMove(generated, *parsed));
    }
    // The first player's bishop starts on 8h and the second player's rook on 8b.
    TTestGame          shogi = MakeGame("shogi");
    const TChessBoard& board = Shogi(shogi).Board();
    EXPECT_EQ(board[board.XYToI(1, 1)], spBishop);
    EXPECT_EQ(Shogi(shogi).SquareToString(board.XYToI(1, 1)), "8h");
    EXPECT_EQ(Shogi(shogi).SquareToString(board.XYToI(1, 7)), "8b");
    EXPECT_EQ(board[board.XYToI(1, 7)], -spRook);
    // Drop letters in either case; the side to move owns the dropped piece.
    TTestGame white = MakeGame("shogi", "4k4/9/9/9/9/9/9/9/4K4 w 2p 1");
    EXPECT_EQ(white.Position->StringToMove("p*5e")->Piece, -spPawn);
}

TEST(TShogiPosition, RefusesMoveTextsItCannotRead) {
    struct TCase {
        const char* Text;
        const char* Message;
    };
    constexpr TCase Cases[] = {
        {"7g7", "Move 7g7 too short"},
        {"5e5d", "First square of move 5e5d is empty"},
        {"6i5h+", "Piece of move 6i5h+ cannot promote"},
        {"X*5e", "Unknown Piece X"},
        {"K*5e", "Unknown Piece K"},
        {"7g7f=", "Invalid move 7g7f="},
        {"0g7f", "Invalid coordinate x value: -1"},
        {"7j7f", "Invalid coordinate y value: -1"},
    };
    TTestGame game = MakeGame("shogi");
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Text);
        try {
            game.Position->StringToMove(c.Text);
            ADD_FAILURE() << "no error";
        } catch (const EConvertError& e) {
            EXPECT_STREQ(e.what(), c.Message);
        }
    }
}

TEST(TShogiPosition, SendsCapturedPiecesUnpromotedToTheHand) {
    // Black's rook takes a promoted bishop (horse) and then drops it as a bishop.
    TTestGame       game = MakeGame("shogi", "4k4/9/9/4+b4/9/9/9/9/K3R4 b - 1");
    TShogiPosition& position = Shogi(game);
    const TMove     capture = game.FindMove("5i5d");
    EXPECT_EQ(capture.CapturedPiece, -spHorse);
    position.MakeRevertableMove(capture);
    EXPECT_EQ(position.Hand().AsString(), "B");
    position.NextSideToPlay();
    const TMove drop = game.FindMove("B*5e");
    position.MakeRevertableMove(drop);
    EXPECT_EQ(position.Hand().AsString(), "-");
    EXPECT_EQ(position.Hash(), position.GetHash());
    position.RevertMove(drop);
    position.NextSideToPlay();
    position.RevertMove(capture);
    EXPECT_EQ(position.Hand().AsString(), "-");
    EXPECT_EQ(position.Hash(), position.GetHash());
    EXPECT_EQ(game.Fen(), "4k4/9/9/4+b4/9/9/9/9/K3R4 b - 1");
}

// Every move of random games, made and taken back, restores board, hands and key; the kept key
// always equals the computed one, and a clone carries the hands.
TEST(TShogiPosition, KeepsItsStateThroughRandomGames) {
    std::mt19937 random(42);
    for (const char* variant : {"shogi", "minishogi", "goroGoroShogi", "dobutsuShogi"}) {
        SCOPED_TRACE(variant);
        TTestGame       game = MakeGame(variant);
        TShogiPosition& position = Shogi(game);
        for (int ply = 0; ply < 150; ++ply) {
            std::vector<TMove> moves;
            {
                TMoveListGuard guard(*game.Generator);
                moves.assign(guard.List().begin(), guard.List().end());
            }
            if (moves.empty())
                break;
            const std::string before = game.Fen();
            const THash       hash = position.Hash();
            for (const TMove& move : moves) {
                position.MakeRevertableMove(move);
                ASSERT_EQ(position.Hash(), position.GetHash()) << position.MoveToString(move);
                position.RevertMove(move);
                ASSERT_EQ(position.Hash(), hash);
            }
            ASSERT_EQ(game.Fen(), before);
            const std::unique_ptr<TPosition> clone = position.Clone();
            ASSERT_EQ(static_cast<TShogiPosition&>(*clone).Hand().AsString(),
                      position.Hand().AsString());
            // Captures first, so that the hands fill.
            const auto   capture = std::find_if(moves.begin(), moves.end(), [](const TMove& AMove) {
                return AMove.CapturedPiece != 0;
            });
            const TMove& move = capture != moves.end() && random() % 2 == 0
                                    ? *capture
                                    : moves[random() % moves.size()];
            position.MakeRevertableMove(move);
        }
        EXPECT_GE(position.StackCount(), 10u);
    }
}

TEST(TShogiPosition, KeysTheHands) {
    // The same board with the pieces in hand split differently.
    TTestGame first = MakeGame("shogi", "4k4/9/9/9/9/9/9/9/4K4 b 2Pp 1");
    TTestGame second = MakeGame("shogi", "4k4/9/9/9/9/9/9/9/4K4 b Pp 1");
    TTestGame third = MakeGame("shogi", "4k4/9/9/9/9/9/9/9/4K4 b P2p 1");
    EXPECT_NE(first.Position->Hash(), second.Position->Hash());
    EXPECT_NE(first.Position->Hash(), third.Position->Hash());
    EXPECT_NE(second.Position->Hash(), third.Position->Hash());
}

TEST(TShogiCapturedPieces, ReadsAndWritesHands) {
    TShogiCapturedPieces hand;
    hand.ReadFromString("RB2G3S4N4L18Prbgsnlp");
    EXPECT_EQ(hand.Count(0, spPawn), 18);
    EXPECT_EQ(hand.Count(1, spRook), 1);
    EXPECT_EQ(hand.AsString(), "RB2G3S4N4L18Prbgsnlp");
    hand.ReadFromString("-");
    EXPECT_EQ(hand.AsString(), "-");
    EXPECT_THROW(hand.ReadFromString("2K"), EConvertError);
    EXPECT_THROW(hand.ReadFromString("19P"), EConvertError);
    EXPECT_THROW(hand.ReadFromString("3"), EConvertError);
}

// The diagram labels files from 5 to 1 and ranks from a at the top, and shows the hands.
TEST(TShogiPosition, DrawsTheBoardWithShogiCoordinates) {
    TTestGame game = MakeGame("minishogi", "1r2s/4k/1K2p/PS1+B1/1GR2 b GB 17");
    TTextSink sink;
    game.Position->WriteToConsole(sink);
    ASSERT_EQ(sink.Lines.size(), 22u);
    EXPECT_EQ(sink.Lines[1], "       5    4    3    2    1  ");
    EXPECT_EQ(sink.Lines[4], "  a         r              s    a  ");
    EXPECT_EQ(sink.Lines[13], "  d    P    S        +B         d  ");
    EXPECT_EQ(sink.Lines[16], "  e         G    R              e  ");
    EXPECT_EQ(sink.Lines.back(), "Captured Pieces: BG");
    EXPECT_TRUE(sink.Balanced());
}
