#pragma once

// The round trip of a position string, shared by the FEN and the SFEN targets: a string the
// parser accepts must be written back as a string the parser accepts again, with the same text
// and the same hash, and every move generated there must play, revert and read back cleanly. A
// string the parser refuses must leave the position as it was.

#include "games/uGameVariant.h"
#include "games/uMoveGenerator.h"
#include "games/uMoveList.h"
#include "games/uPosition.h"
#include "support/uExceptions.h"
#include "uFuzzSupport.h"

#include <memory>
#include <string>
#include <string_view>

inline std::string WritePosition(TGameVariant& AVariant, TPosition& APosition) {
    std::shared_ptr<ICustomWriter> writer = AVariant.CreateForsythEdwardsNotationWriter();
    writer->SetPosition(&APosition);
    return writer->AsString();
}

// Parses into APosition; the message of the refusal, or empty when the string was taken.
inline std::string ParsePosition(TGameVariant& AVariant, TPosition& APosition,
                                 std::string_view AText) {
    std::shared_ptr<ICustomParser> parser = AVariant.CreateForsythEdwardsNotationParser();
    parser->SetPosition(&APosition);
    try {
        parser->Parse(AText);
    } catch (const Exception& e) {
        return e.what();
    }
    return {};
}

// Every move of the position: its text reads back as the same move, and playing it (with the
// replies generated) and taking it back restores the position string and the hash. A position can
// be too crowded for a move list: the generator then raises its own error, which ends the check.
inline void CheckMoves(TGameVariant& AVariant, TPosition& APosition, const std::string& AWritten) {
    std::unique_ptr<TMoveGenerator> generator = AVariant.CreateMoveGenerator();
    generator->SetPosition(&APosition);
    std::unique_ptr<TMoveListGuard> guard;
    try {
        guard = std::make_unique<TMoveListGuard>(*generator);
    } catch (const Exception&) {
        return;
    }
    for (const TMove& move : guard->List()) {
        const std::string      text = APosition.MoveToString(move);
        const std::string      where = text + " in " + AWritten;
        std::unique_ptr<TMove> parsed;
        try {
            parsed = APosition.StringToMove(text);
        } catch (const Exception& e) {
            Violation("a generated move's text reads back", where + ": " + e.what());
        }
        Require(IsSameMove(move, *parsed), "a generated move's text names that move", where);
        APosition.MakeRevertableMove(move);
        Require(APosition.Hash() == APosition.GetHash(), "a played move keeps the hash", where);
        try {
            TMoveListGuard replies(*generator);
        } catch (const Exception&) {
        }
        APosition.RevertMove(move);
        Require(APosition.Hash() == APosition.GetHash(), "a reverted move keeps the hash", where);
        Require(WritePosition(AVariant, APosition) == AWritten,
                "a reverted move restores the position", where);
    }
}

inline int CheckPositionString(TGameVariant& AVariant, std::string_view AText) {
    std::unique_ptr<TPosition> position = AVariant.CreateStartPosition();
    position->InitializeHash();
    const std::string before = WritePosition(AVariant, *position);
    const THash       beforeHash = position->Hash();
    if (!ParsePosition(AVariant, *position, AText).empty()) {
        Require(WritePosition(AVariant, *position) == before && position->Hash() == beforeHash,
                "a refused string leaves the position as it was");
        return 0;
    }
    Require(position->Hash() == position->GetHash(), "a parsed position's hash is its own", AText);
    const std::string written = WritePosition(AVariant, *position);

    std::unique_ptr<TPosition> again = AVariant.CreateStartPosition();
    const std::string          refusal = ParsePosition(AVariant, *again, written);
    Require(refusal.empty(), "a written string reads back", written + ": " + refusal);
    Require(WritePosition(AVariant, *again) == written, "a written string reads back the same",
            written);
    Require(again->Hash() == position->Hash(), "a written string keeps the hash", written);

    CheckMoves(AVariant, *position, written);
    return 0;
}
