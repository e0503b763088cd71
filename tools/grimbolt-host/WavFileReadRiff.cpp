// Reading WAV files where libsndfile is not at hand (the Windows builds): our own decoder.
#include "tools/grimbolt-host/WavFile.h"

#include "tools/grimbolt-host/RiffWav.h"
#include "tools/hostkit/HostError.h"

#include <fstream>
#include <iterator>

AudioClip WavFile::read(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw HostError("cannot read " + path + ": no such file or no permission to read it");
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return RiffWav::decode(bytes.data(), bytes.size(), path);
}
