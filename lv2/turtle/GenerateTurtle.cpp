// Writes the bundle's Turtle into a directory at build time:
//   grimbolt-lv2-turtle BUNDLE_DIR DSP_BINARY UI_BINARY
#include "lv2/turtle/BundleTurtle.h"

#include <fstream>
#include <functional>
#include <iostream>
#include <string>

namespace {

bool writeFile(const std::string& path, const std::function<void(std::ostream&)>& write)
{
    std::ofstream out(path);
    write(out);
    out.close();
    if (!out) {
        std::cerr << "cannot write " << path << "\n";
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: grimbolt-lv2-turtle BUNDLE_DIR DSP_BINARY UI_BINARY\n";
        return 2;
    }
    const std::string bundle = argv[1];
    const BundleFiles files{argv[2], argv[3]};
    const bool written
        = writeFile(bundle + "/manifest.ttl", [&](std::ostream& out) { writeManifest(out, files); })
        && writeFile(bundle + "/" + kPluginTurtle, writePluginDescription)
        && writeFile(bundle + "/" + kPresetsTurtle, writePresets);
    return written ? 0 : 1;
}
