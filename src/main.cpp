#include "app/uConsoleEngine.h"
#include "engine/uVexdraEngine.h"
#include "support/uCustomArgument.h"

#include <memory>

int main(int argc, char** argv) {
    TStartState::SetArguments(argc, argv);
    {
        auto application = std::make_unique<TConsoleEngine>();
        application->Initialize();
        if (application->Initialized()) {
            // The engine exists only beside an initialized application and goes before it, also
            // when Run fails.
            auto engine = std::make_unique<TVexdraEngine>();
            struct TDetach {
                TConsoleEngine& Application;
                ~TDetach() { Application.SetInternalEngine(nullptr); }
            } detach{*application};
            application->SetInternalEngine(engine.get());
            application->Run();
        }
    }
    return ExitCode();
}
