// Shared helpers of the game-model tests.
#include "games/uGameTestHelpers.h"

#include "games/chess/uChessForsythEdwardsNotationParser.h"
#include "games/chess/uChessGameVariant.h"

#include <gtest/gtest.h>
#include <stdexcept>

TGameVariants& TestVariants() {
    static TGameVariants variants = [] {
        TGameVariants result;
        RegisterGameVariants(result);
        return result;
    }();
    return variants;
}

TTestGame MakeGame(const std::string& AVariant, const std::string& AFen) {
    TTestGame game;
    game.Variant = TestVariants().FindByName(AVariant);
    if (game.Variant == nullptr)
        throw std::runtime_error("unknown variant " + AVariant);
    game.Position = game.Variant->CreateStartPosition();
    if (!AFen.empty()) {
        auto parser = game.Variant->CreateForsythEdwardsNotationParser();
        parser->SetPosition(game.Position.get());
        parser->Parse(AFen);
    }
    game.Generator = game.Variant->CreateMoveGenerator();
    game.Generator->SetPosition(game.Position.get());
    return game;
}

TTestGame MakeBoardGame(const std::string& AVariant, const std::string& AFen) {
    TTestGame game = MakeGame(AVariant);
    if (AFen.empty())
        return game;
    auto* variant = dynamic_cast<TChessGameVariant*>(game.Variant);
    if (variant == nullptr)
        throw std::runtime_error("not a chess variant " + AVariant);
    TChessForsythEdwardsNotationParser parser;
    parser.SetRules(variant->SetupRules());
    parser.SetPosition(game.Position.get());
    parser.Parse(AFen);
    game.Generator->SetPosition(game.Position.get());
    return game;
}

std::vector<std::string> TTestGame::MoveTexts() {
    TMoveListGuard           guard(*Generator);
    std::vector<std::string> result;
    for (const TMove& move : guard.List())
        result.push_back(Position->MoveToString(move));
    return result;
}

TMove TTestGame::FindMove(const std::string& AText) {
    TMoveListGuard guard(*Generator);
    for (const TMove& move : guard.List())
        if (Position->MoveToString(move) == AText)
            return move;
    ADD_FAILURE() << "no move " << AText;
    return TMove{};
}

std::string TTestGame::Fen() {
    auto writer = Variant->CreateForsythEdwardsNotationWriter();
    writer->SetPosition(Position.get());
    return writer->AsString();
}

void TTestGame::ExpectMakeAndRevert(const std::string& AText, const std::string& AFenAfter) {
    SCOPED_TRACE(AText);
    const std::string                   before = Fen();
    const THash                         hash = Position->Hash();
    const TChessCapturedPieces::TCounts captured = Chess().CapturedPieces().Counts();
    const TMove                         move = FindMove(AText);
    Position->MakeRevertableMove(move);
    EXPECT_EQ(Fen(), AFenAfter);
    EXPECT_EQ(Position->Hash(), Position->GetHash());
    EXPECT_EQ(Position->SelfCheck(), "");
    Position->RevertMove(move);
    EXPECT_EQ(Position->SelfCheck(), "");
    EXPECT_EQ(Fen(), before);
    EXPECT_EQ(Position->Hash(), hash);
    EXPECT_EQ(Chess().CapturedPieces().Counts(), captured);
}

void TTextSink::Write(std::string_view AText, TConsoleColor AForeground,
                      TConsoleColor ABackground) {
    Touch();
    FLine += AText;
    Colored.push_back({std::string(AText), AForeground, ABackground});
}

void TTextSink::WriteAligned(std::string_view AText, int AWidth, THorizontalAlignment AAlignment) {
    Touch();
    std::string text(AText);
    const int   room = AWidth - static_cast<int>(text.size());
    if (room > 0) {
        const int left = AAlignment == haLeft ? 0 : AAlignment == haRight ? room : room / 2;
        text = std::string(left, ' ') + text + std::string(room - left, ' ');
    }
    FLine += text;
}

void TTextSink::WriteAligned(std::string_view AText, int AWidth, THorizontalAlignment AAlignment,
                             TConsoleColor AForeground, TConsoleColor ABackground) {
    const std::size_t start = FLine.size();
    WriteAligned(AText, AWidth, AAlignment);
    Colored.push_back({FLine.substr(start), AForeground, ABackground});
}

void TTextSink::EndLine() {
    Touch();
    Lines.push_back(FLine);
    FLine.clear();
}
