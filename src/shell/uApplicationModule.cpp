#include "shell/uApplicationModule.h"

#include "support/uExceptions.h"
#include "support/uLogger.h"

void TApplicationModule::Load() {
    const std::int64_t start = MainTimer().GetValue();
    FLastLoadSuccess = false;
    try {
        OnLoad();
    } catch (...) {
        FLoadTime = MainTimer().IntervalFrom(start);
        try {
            OnUnload();
        } catch (const std::exception& e) {
            if (TLogger* log = MainLog())
                log->LogException(e);
        }
        throw;
    }
    FLoadTime = MainTimer().IntervalFrom(start);
    FLoaded = true;
    FLastLoadSuccess = true;
}

void TApplicationModule::Unload() {
    const std::int64_t start = MainTimer().GetValue();
    FLastUnloadSuccess = false;
    OnUnload();
    FUnloadTime = MainTimer().IntervalFrom(start);
    FLoaded = false;
    FLastUnloadSuccess = true;
}

void TApplicationModuleManager::LoadModules() {
    FAreAllLoaded = true;
    FLoadTime = TTimeSpan();
    for (const auto& module : FModules) {
        if (module->StartupType() == stDisabled)
            continue;
        try {
            module->Load();
        } catch (...) {
            FAreAllLoaded = false;
            FLoadTime += module->LoadTime();
            if (module->StartupType() == stRequired)
                throw;
            continue;
        }
        FLoadTime += module->LoadTime();
    }
}

void TApplicationModuleManager::UnloadModules() {
    FAreAllUnloaded = true;
    FUnloadTime = TTimeSpan();
    for (const auto& module : FModules) {
        if (!module->Loaded())
            continue;
        try {
            module->Unload();
        } catch (const std::exception& e) {
            FAreAllUnloaded = false;
            const auto* own = dynamic_cast<const Exception*>(&e);
            if (TLogger* log = MainLog())
                log->Log(mlError, std::string(e.what()) + " (" +
                                      (own != nullptr ? own->ClassName() : "std::exception") + ")");
        }
        FUnloadTime += module->UnloadTime();
    }
}
