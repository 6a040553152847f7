#include "games/chess/uChessEvaluation.h"

#include "games/chess/uSquaredBoard.h"

#include <algorithm>
#include <cmath>

const char* const ScoreTypeNames[ScoreTypeCount] = {"Material", "Space", "Attack", "Safety"};

std::vector<std::array<std::string, 4>> TPreciseScores::WriteToOutput() const {
    std::vector<std::array<std::string, 4>> rows;
    rows.push_back({"Name", "White", "Black", "Total"});
    const auto row = [&](std::string AName, std::int32_t AWhite, std::int32_t ABlack) {
        rows.push_back({std::move(AName), std::to_string(AWhite), std::to_string(ABlack),
                        std::to_string(AWhite - ABlack)});
    };
    for (int type = 0; type < ScoreTypeCount; ++type)
        row(ScoreTypeNames[type], Scores[0].FValues[type], Scores[1].FValues[type]);
    for (int piece = 1; piece <= 6; ++piece)
        for (int type = 0; type < ScoreTypeCount; ++type)
            row("Piece " + std::to_string(piece) + " " + ScoreTypeNames[type],
                Scores[0].FPieceValues[piece][type], Scores[1].FPieceValues[piece][type]);
    return rows;
}

TEvaluation::TEvaluation() : FRandomGenerator(std::make_unique<TKvRandomGenerator>()) {}

void TSquaredBoardEvaluation::SetSquaredBoard(const TSquaredBoard* AValue) {
    FSquaredBoard = AValue;
    Update();
}

namespace {

// a / b rounded to the nearest integer, halves away from zero.
std::int32_t RoundDiv(std::int64_t A, std::int64_t B) {
    const std::int64_t twice = 2 * A;
    const std::int64_t q = (twice + (twice >= 0 ? B : -B)) / (2 * B);
    return static_cast<std::int32_t>(q);
}

} // namespace

TChessEvaluation::TChessEvaluation() {
    Update();
}

void TChessEvaluation::Update() {
    for (int i = 0; i < 25; ++i)
        FMoveBonus[i] = static_cast<std::int16_t>(std::lround((1.0 - std::exp(-i / 8.0)) * 11.0));

    std::array<std::int32_t, MaxCode + 1> material{};
    material[1] = 100;
    if (FReuseCapturedPieces) {
        material[2] = 150;
        material[3] = 150;
        material[4] = 150;
        material[5] = 376;
    } else {
        material[2] = 237;
        material[3] = 234;
        material[4] = 444;
        material[5] = 876;
    }
    material[6] = 350;

    // The first player's activities before scaling; the second player's are their mirror.
    constexpr std::int32_t EmptyActivity[7] = {0, 6, 10, 6, 4, 1, -10};
    std::int32_t           activity[7][2 * MaxCode + 1] = {};
    for (int piece = 1; piece <= 6; ++piece) {
        activity[piece][MaxCode] = EmptyActivity[piece];
        for (int k = 1; k <= 6; ++k) {
            activity[piece][MaxCode + k] = piece == 6 ? 16 : 0;
            activity[piece][MaxCode - k] = material[k] / 15;
        }
    }

    const auto randomize = [this](std::int32_t AValue) {
        if (FRandomValue == 0)
            return AValue;
        const std::int32_t d =
            FRandomGenerator->RandomZeroDistance(static_cast<std::uint32_t>(FRandomValue));
        return RoundDiv(static_cast<std::int64_t>(AValue) * (d + 100), 100);
    };
    Material = {};
    for (int i = 0; i <= 6; ++i)
        Material[i] =
            randomize(RoundDiv(static_cast<std::int64_t>(material[i]) * FMaterialWeight, 100));
    for (auto& row : PieceActivities)
        for (auto& value : row)
            value = 0;
    for (int piece = 1; piece <= 6; ++piece)
        for (int k = -6; k <= 6; ++k) {
            const std::int32_t value = randomize(RoundDiv(
                static_cast<std::int64_t>(activity[piece][MaxCode + k]) * FPieceActivityWeight,
                100));
            PieceActivities[MaxCode + piece][MaxCode + k] = static_cast<std::int16_t>(value);
            PieceActivities[MaxCode - piece][MaxCode - k] = static_cast<std::int16_t>(value);
        }

    Pri.fill(0);
    if (FSquaredBoard != nullptr) {
        const TSquaredBoard& board = *FSquaredBoard;
        for (int i = 0; i < board.UsedSquareCount(); ++i) {
            const int cell = board.UsedSquares()[i];
            const int x = board.X(cell);
            const int y = board.Y(cell);
            const int dx = x <= board.SqX() / 2 ? x : board.SqX() - x;
            const int dy = y <= board.SqY() / 2 ? y : board.SqY() - y;
            Pri[cell] = static_cast<std::uint8_t>(std::min(dx, dy) + 1);
        }
    }
}

void TChessEvaluation::SetReuseCapturedPieces(bool AValue) {
    FReuseCapturedPieces = AValue;
    Update();
}
void TChessEvaluation::SetMaterialWeight(std::int32_t AValue) {
    FMaterialWeight = AValue;
    Update();
}
void TChessEvaluation::SetPieceActivityWeight(std::int32_t AValue) {
    FPieceActivityWeight = AValue;
    Update();
}
void TChessEvaluation::SetPawnStructureWeight(std::int32_t AValue) {
    FPawnStructureWeight = AValue;
    Update();
}
void TChessEvaluation::SetPassedPawnsWeight(std::int32_t AValue) {
    FPassedPawnsWeight = AValue;
    Update();
}
void TChessEvaluation::SetKingSafety(std::int32_t AValue) {
    FKingSafety = AValue;
    Update();
}

// ---------------------------------------------------------------------------------------------
// TEndGameHash

namespace {

struct TEndGameEntry {
    const char*    First;  // the first player's pieces besides the king
    const char*    Second; // the second player's pieces besides the king
    TEndGameResult Result;
    bool           Mirrored;
};

// clang-format off
constexpr TEndGameEntry EndGameEntries[] = {
    {"",   "",   erLowMaterial, false}, // 1
    {"N",  "",   erLowMaterial, true},  // 2
    {"B",  "",   erLowMaterial, true},  // 3
    {"NN", "",   erLowMaterial, true},  // 4
    {"N",  "n",  erLowMaterial, false}, // 5
    {"B",  "b",  erDraw,        false}, // 6
    {"R",  "r",  erDraw,        false}, // 7
    {"Q",  "q",  erDraw,        false}, // 8
    {"B",  "n",  erDraw,        true},  // 9
    {"NN", "n",  erDraw,        true},  // 10
    {"NN", "b",  erDraw,        true},  // 11
    {"NN", "r",  erDraw,        true},  // 12
    {"BB", "r",  erDraw,        true},  // 13
    {"NB", "r",  erDraw,        true},  // 14
    {"R",  "n",  erDraw,        true},  // 15
    {"R",  "b",  erDraw,        true},  // 16
    {"Q",  "rr", erDraw,        true},  // 17
    {"Q",  "nn", erDraw,        true},  // 18
    {"Q",  "bb", erFirstWin,    true},  // 19
    {"Q",  "bn", erFirstWin,    true},  // 20
    {"NB", "",   erFirstWin,    true},  // 21
    {"BB", "",   erFirstWin,    true},  // 22
    {"Q",  "n",  erFirstWin,    true},  // 23
    {"Q",  "b",  erFirstWin,    true},  // 24
    {"Q",  "r",  erFirstWin,    true},  // 25
};
// clang-format on

int LetterCode(char ALetter) {
    switch (ALetter) {
    case 'N':
    case 'n':
        return 2;
    case 'B':
    case 'b':
        return 3;
    case 'R':
    case 'r':
        return 4;
    default:
        return 5;
    }
}

} // namespace

std::uint32_t TEndGameHash::Key(const TRemainPieces& ACounts, bool AMirrored) {
    std::uint32_t h = 0;
    for (int i = 0; i < 13; ++i) {
        const int code = AMirrored ? 6 - i : i - 6;
        if (code == 0)
            continue;
        h = static_cast<std::uint32_t>(ACounts[code + 6]) + h * 1284865837u - 144211633u;
    }
    return h >> 5;
}

TEndGameHash::TEndGameHash() {
    for (const TEndGameEntry& entry : EndGameEntries) {
        TRemainPieces counts{};
        counts[6 + 6] = 1;
        counts[-6 + 6] = 1;
        for (const char* p = entry.First; *p != 0; ++p)
            ++counts[LetterCode(*p) + 6];
        for (const char* p = entry.Second; *p != 0; ++p)
            ++counts[-LetterCode(*p) + 6];
        const std::uint32_t key = Key(counts, false);
        FEndGameHashItems[key & 255] = TItem{key, entry.Result};
        if (entry.Mirrored) {
            const std::uint32_t  mirrored = Key(counts, true);
            const TEndGameResult result = entry.Result == erFirstWin ? erFirstLose : entry.Result;
            FEndGameHashItems[mirrored & 255] = TItem{mirrored, result};
        }
    }
}

TEndGameResult TEndGameHash::GetEndGameResult(const TRemainPieces& ARemainPieces) const {
    const std::uint32_t key = Key(ARemainPieces, false);
    const TItem&        item = FEndGameHashItems[key & 255];
    return item.Key == key ? item.Result : erUnknown;
}
