#include "app/uConsoleEngine.h"
#include "engine/uVexdraEngine.h"
#include "platform/uPlatformConsole.h"
#include "support/uCustomArgument.h"

#include <memory>

int main(int argc, char** argv) {
    // Before anything opens a file: the program's own pipes must never become its input.
    ReserveStandardDescriptors();
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
    // The last lines are written while the application goes; their failure counts too.
    return StreamFailure() != 0 ? 1 : ExitCode();
}
