#include <memory>

#include "app/uConsoleEngine.h"
#include "support/uCustomArgument.h"

int main(int argc, char** argv) {
    TStartState::SetArguments(argc, argv);
    {
        auto application = std::make_unique<TConsoleEngine>();
        application->Initialize();
        if (application->Initialized())
            application->Run();
    }
    return ExitCode();
}
