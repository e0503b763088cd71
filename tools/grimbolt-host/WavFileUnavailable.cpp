// WAV support for builds without libsndfile (the Windows build): every call refuses.
#include "tools/grimbolt-host/WavFile.h"

#include "tools/hostkit/HostError.h"

void WavFile::requireSupport()
{
    throw HostError("WAV files are not available in this build (no libsndfile); only 'info' works here");
}

AudioClip WavFile::read(const std::string& path)
{
    throw HostError("cannot read " + path + ": WAV files are not available in this build (no libsndfile)");
}

void WavFile::write(const std::string& path, const AudioClip&)
{
    throw HostError("cannot write " + path + ": WAV files are not available in this build (no libsndfile)");
}
