#pragma once

#include "support/uMainTimer.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum TStartupType : std::uint8_t { stRequired, stOptional, stDisabled };

// A loadable part of an application. A load that raises is undone at once (its unload hook
// runs) and the failure passes on.
class TApplicationModule {
public:
    explicit TApplicationModule(TStartupType AStartupType = stRequired)
        : FStartupType(AStartupType) {}
    virtual ~TApplicationModule() = default;

    void                Load();
    void                Unload();
    void                CallOnLoad() { Load(); }
    TStartupType        StartupType() const { return FStartupType; }
    bool                Loaded() const { return FLoaded; }
    bool                LastLoadSuccess() const { return FLastLoadSuccess; }
    bool                LastUnloadSuccess() const { return FLastUnloadSuccess; }
    TTimeSpan           LoadTime() const { return FLoadTime; }
    TTimeSpan           UnloadTime() const { return FUnloadTime; }
    virtual std::string Name() const { return "Module"; }

protected:
    virtual void OnLoad() {}
    virtual void OnUnload() {}

private:
    TStartupType FStartupType;
    bool         FLoaded = false;
    bool         FLastLoadSuccess = false;
    bool         FLastUnloadSuccess = false;
    TTimeSpan    FLoadTime;
    TTimeSpan    FUnloadTime;
};

// Owns the modules and loads them in list order: an optional module's failure is swallowed,
// a required one's passes on. Unload failures are logged and do not stop the others.
class TApplicationModuleManager final {
public:
    void Add(std::unique_ptr<TApplicationModule> AModule) {
        FModules.push_back(std::move(AModule));
    }
    void      LoadModules();
    void      UnloadModules();
    bool      AreAllLoaded() const { return FAreAllLoaded; }
    bool      AreAllUnloaded() const { return FAreAllUnloaded; }
    TTimeSpan LoadTime() const { return FLoadTime; }
    TTimeSpan UnloadTime() const { return FUnloadTime; }
    int       Count() const { return static_cast<int>(FModules.size()); }

private:
    std::vector<std::unique_ptr<TApplicationModule>> FModules;
    bool                                             FAreAllLoaded = true;
    bool                                             FAreAllUnloaded = true;
    TTimeSpan                                        FLoadTime;
    TTimeSpan                                        FUnloadTime;
};
