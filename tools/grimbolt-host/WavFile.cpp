#include "tools/grimbolt-host/WavFile.h"

#include "tools/grimbolt-host/RiffWav.h"
#include "tools/hostkit/HostError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
}  // namespace

void WavFile::write(const std::string& path, const AudioClip& clip)
{
    if (clip.frames() * clip.channels.size() > RiffWav::maxFloatSamples())
        throw HostError("cannot write " + path + ": the audio is too long for a WAV file");
    const std::vector<uint8_t> bytes = RiffWav::encodeFloat(clip);
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file)
        throw HostError("cannot write " + path + ": " + std::strerror(errno));
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()
        || std::fflush(file.get()) != 0)
        throw HostError("cannot write " + path + ": " + std::strerror(errno));
}
