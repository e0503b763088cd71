#include "tools/grimbolt-host/EditorShotCommand.h"

#include "tools/grimbolt-host/EditorCapture.h"
#include "tools/grimbolt-host/PluginNames.h"
#include "tools/grimbolt-host/PngFile.h"

void runEditorShotCommand(const CommandLine& line, std::ostream& out)
{
    PluginLibrary library(line.pluginPath);
    HostCallback host;
    PluginInstance plugin(library, host);
    PluginNames::applyProgramAndSettings(plugin, line.program, line.settings);
    const EditorPicture picture = captureEditor(plugin);
    PngFile::writeRgb(line.outputPath, picture.pixels, picture.width, picture.height);
    out << "wrote " << line.outputPath << ": the editor of " << plugin.effectName() << ", " << picture.width
        << " x " << picture.height << " pixels\n";
}
