#include "tools/hostkit/HostCallback.h"
#include "tools/hostkit/HostError.h"
#include "tools/hostkit/PluginInstance.h"
#include "tools/hostkit/PluginLibrary.h"

#include <gtest/gtest.h>

#include <string>

TEST(PluginLibrary, LoadFailuresExplainWhatIsWrongWithTheFile)
{
    struct Case {
        const char* path;
        const char* expectedInMessage;
    };
    const Case cases[] = {
        {MISSING_PLUGIN, "no such plug-in file"},
        {SCRATCH_DIRECTORY, "no such plug-in file"},  // a directory is not a plug-in file either
        {NO_ENTRY_LIBRARY, "not a VST 2 plug-in"},
        {NULL_ENTRY_PLUGIN, "entry returned no effect"},
        {BAD_MAGIC_PLUGIN, "without the 'VstP' magic"},
    };
    for (const Case& c : cases) {
        try {
            const PluginLibrary library(c.path);
            HostCallback host;
            const PluginInstance instance(library, host);
            ADD_FAILURE() << "loaded " << c.path;
        } catch (const HostError& error) {
            EXPECT_NE(std::string(error.what()).find(c.expectedInMessage), std::string::npos)
                << c.path << ": " << error.what();
        }
    }
}
