#pragma once

#include "engine/uRelaxed.h"
#include "support/uMainTimer.h"
#include "support/uPowerRequest.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class TAnalysisInfo;
class TArguments;
class TLevelManager;
class TRootMoves;

// The protocol-neutral engine every protocol command talks to: title, author, options, side to
// move, root-move filter, level manager, readiness, and the entry points that start and stop a
// search. It owns its options list (not the options), the analysis information, the root moves,
// the level manager and a power request held while a search runs. Commands use it from the
// console reader thread.
class TCommonEngine {
public:
    TCommonEngine();
    virtual ~TCommonEngine();
    TCommonEngine(const TCommonEngine&) = delete;
    TCommonEngine& operator=(const TCommonEngine&) = delete;

    // Plays one move given as text; here only the side to move changes.
    virtual void PlayMove(std::string_view AMove);
    // Sets the position from a position string (FEN or SFEN) and returns its side to move
    // through ASideToMove; here only the root moves are cleared.
    virtual void ReadPosition(std::string_view APosition, std::int32_t& ASideToMove);
    virtual void Initialize();
    virtual void WaitForReady() {}
    virtual void Finalize() {}
    // The start position and no root-move filter.
    virtual void NewGame();
    virtual void SetStartPos();
    // Refuses a depth below 1 with "Perft requires positive number argument.", stops any
    // search and holds the power request; engines then run the perft.
    virtual void GetPerft(std::int32_t ADepth);
    // Returns once no search runs.
    virtual void WaitForCalculationDone(std::int64_t ATimeOutInMilliseconds) = 0;
    // Refuses with "Engine is running." while the search clock runs; otherwise holds the power
    // request, clears the analysis information and starts its clock.
    virtual void Start();
    // Looks up opening-book moves and reports them as analysis.
    virtual void BookMoves() {}
    virtual void Stop() {}
    virtual void Pause() {}
    virtual void Resume() {}
    // A search has ended: releases the power request.
    virtual void OnStop(TCommonEngine& ASender);

    // Plays a blank-separated list of moves. A move that fails gets the prefix
    // "(MoveIndex: n, StringIndex: p): " on its message; the moves before it stay played.
    void DoMoves(std::string_view AMoves);
    // A front end's whole position request: the start position (AStartPosition) or the position
    // string, then the moves. Here the parts follow one another and a failure leaves what was
    // done before it; an engine that keeps a game overrides this so that a refused request
    // leaves the game as it was.
    virtual void SetGamePosition(bool AStartPosition, std::string_view APosition,
                                 std::string_view AMoves);
    void SetPositionFromString(std::string_view AString) { ReadPosition(AString, FSideToMove); }

    std::int32_t         Id() const { return FId; }
    void                 SetId(std::int32_t AValue) { FId = AValue; }
    TRootMoves&          RootMoves() { return *FRootMoves; }
    TAnalysisInfo&       AnalysisInfo() { return *FAnalysisInfo; }
    const TAnalysisInfo& AnalysisInfo() const { return *FAnalysisInfo; }
    TLevelManager&       LevelManager() { return *FLevelManager; }
    // 0 = first player, 1 = second player.
    std::int32_t       SideToMove() const { return FSideToMove; }
    void               SetSideToMove(std::int32_t AValue) { FSideToMove = AValue; }
    const std::string& Title() const { return FTitle; }
    void               SetTitle(std::string_view AValue) { FTitle = AValue; }
    const std::string& Author() const { return FAuthor; }
    void               SetAuthor(std::string_view AValue) { FAuthor = AValue; }
    TTimeSpan          InitializationTime() const { return FInitializationTime; }
    // The options in announcement order.
    TArguments& Options() { return *FOptions; }
    bool        IsReady() const { return FIsReady; }
    // Ready also ends the initialization time.
    void                       SetIsReady(bool AValue);
    bool                       Terminated() const { return FTerminated; }
    void                       SetTerminated(bool AValue) { FTerminated = AValue; }
    const TCustomPowerRequest& PowerRequest() const { return *FPowerRequest; }

protected:
    // The clock of the analysis information runs exactly while a search runs.
    bool IsSearching() const;

private:
    void HoldPowerRequest();

    std::string                          FTitle;
    std::string                          FAuthor;
    std::unique_ptr<TStopwatch>          FInitializationTimeStopwatch;
    std::unique_ptr<TArguments>          FOptions;
    std::unique_ptr<TAnalysisInfo>       FAnalysisInfo;
    std::int32_t                         FSideToMove = 0;
    std::unique_ptr<TRootMoves>          FRootMoves;
    bool                                 FIsReady = false;
    TRelaxed<bool>                       FTerminated{false};
    std::unique_ptr<TLevelManager>       FLevelManager;
    std::unique_ptr<TCustomPowerRequest> FPowerRequest;
    // The increments of the power request that searches and perfts still hold. OnStop releases
    // only those, so a search that is ended twice (a refused start ends the running one, which
    // later ends itself) cannot release more than it took.
    std::atomic<int> FPowerRequestHolds{0};
    TTimeSpan        FInitializationTime;
    std::int32_t     FId = 0;
};
