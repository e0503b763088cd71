// grimbolt-host: a small VST 2 host for inspecting the plug-in, rendering audio through it,
// trying its editor, taking pictures of it and playing through it live.
#include "tools/grimbolt-host/CommandLine.h"
#include "tools/grimbolt-host/DemoCommand.h"
#include "tools/grimbolt-host/EditCommand.h"
#include "tools/grimbolt-host/EditorShotCommand.h"
#include "tools/grimbolt-host/InfoCommand.h"
#include "tools/grimbolt-host/LiveCommand.h"
#include "tools/grimbolt-host/RenderCommand.h"
#include "tools/hostkit/HostError.h"

#include <iostream>

namespace {
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
}  // namespace

int main(int argc, char** argv)
{
    try {
        const CommandLine line = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
        switch (line.kind) {
        case CommandKind::Help:
            std::cout << usageText();
            break;
        case CommandKind::Info:
            runInfoCommand(line.pluginPath, std::cout);
            break;
        case CommandKind::Render:
            runRenderCommand(line, std::cout);
            break;
        case CommandKind::Demo:
            runDemoCommand(line.pluginPath, line.outputDirectory, std::cout);
            break;
        case CommandKind::EditorShot:
            runEditorShotCommand(line, std::cout);
            break;
        case CommandKind::Edit:
            runEditCommand(line, std::cout);
            break;
        case CommandKind::Live:
            runLiveCommand(line, std::cout);
            break;
        }
        return 0;
    } catch (const UsageError& error) {
        std::cerr << "grimbolt-host: " << error.what() << "\n\n" << usageText();
        return kExitUsage;
    } catch (const HostError& error) {
        std::cerr << "grimbolt-host: error: " << error.what() << '\n';
        return kExitFailure;
    } catch (const std::exception& error) {
        std::cerr << "grimbolt-host: unexpected failure: " << error.what() << '\n';
        return kExitFailure;
    }
}
