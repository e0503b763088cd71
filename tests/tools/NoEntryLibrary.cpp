// A loadable library that is not a plug-in: it exports a function, but no VST 2 entry.
extern "C" int notAPluginEntry()
{
    return 42;
}
