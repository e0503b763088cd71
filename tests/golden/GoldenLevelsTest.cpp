// The sound of every factory program at every supported rate, held as windowed levels: 10 ms
// windows of RMS per output channel (dBFS) over a fixed guitar-like input, rendered through
// the plug-in as a host drives it. A change anywhere in the chain that moves a level by more
// than the tolerance fails here. Set GRIMBOLT_RECORD_GOLDEN=1 (scripts/record-golden-levels
// does) to write the files anew, only when the sound is meant to change.
#include "shell/PluginEntry.h"
#include "plugin/vst/VstInterface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int32_t kFactoryPrograms = 4;
constexpr int kSeconds = 1;
constexpr int32_t kBlockFrames = 512;
// The native and the Windows maths libraries may round a designed coefficient differently in
// its last bit; that moves no level by this much.
constexpr double kToleranceDb = 0.05;
constexpr double kFloorDb = -120.0;  // quieter windows are all the same silence

intptr_t VST_CALLBACK host(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

// Plucked notes (decaying partials from a recursive oscillator) over a little noise, with a
// hard-picked passage in the middle.
std::vector<float> guitarPhrase(int rate)
{
    std::vector<float> x(static_cast<size_t>(rate * kSeconds));
    const double notes[] = {82.41, 110.0, 146.83, 196.0};
    const size_t noteLength = x.size() / 4;
    uint32_t seed = 12345;
    for (size_t start = 0, note = 0; start < x.size(); start += noteLength, ++note) {
        const double w = 2.0 * 3.141592653589793 * notes[note % 4] / rate;
        const double twoCos = 2.0 * std::cos(w);
        double previous = 0.0, current = std::sin(w);
        const double loudness = note == 2 ? 0.9 : 0.3;
        for (size_t i = start; i < std::min(start + noteLength, x.size()); ++i) {
            const double next = twoCos * current - previous;
            previous = current;
            current = next;
            const double decay = std::exp(-3.0 * static_cast<double>(i - start) / rate);
            seed = seed * 1664525u + 1013904223u;
            const double noise = (static_cast<double>(seed >> 8) / 8388608.0 - 1.0) * 0.002;
            x[i] = static_cast<float>(loudness * decay * previous + noise);
        }
    }
    return x;
}

double windowDb(const std::vector<float>& y, size_t start, size_t length)
{
    double sum = 0.0;
    for (size_t i = start; i < start + length; ++i)
        sum += static_cast<double>(y[i]) * y[i];
    const double rms = std::sqrt(sum / static_cast<double>(length));
    return std::max(kFloorDb, 20.0 * std::log10(std::max(rms, 1e-30)));
}

struct Levels {
    std::vector<double> left, right;
};

std::string programName(AEffect* effect)
{
    char name[32] = {};
    effect->dispatcher(effect, effGetProgramName, 0, 0, name, 0.0f);
    std::string slug = name;
    std::replace(slug.begin(), slug.end(), ' ', '-');
    return slug;
}

Levels render(int32_t program, int rate, std::string& name)
{
    AEffect* effect = createGrimboltEffect(host);
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, static_cast<float>(rate));
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    effect->dispatcher(effect, effSetProgram, 0, program, nullptr, 0.0f);
    name = programName(effect);
    const std::vector<float> input = guitarPhrase(rate);
    std::vector<float> left(input.size()), right(input.size());
    for (size_t done = 0; done < input.size(); done += kBlockFrames) {
        const auto frames = static_cast<int32_t>(std::min<size_t>(kBlockFrames, input.size() - done));
        float* inputs[] = {const_cast<float*>(input.data() + done)};
        float* outputs[] = {left.data() + done, right.data() + done};
        effect->processReplacing(effect, inputs, outputs, frames);
    }
    effect->dispatcher(effect, effMainsChanged, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);

    Levels levels;
    const size_t window = static_cast<size_t>(rate / 100);
    for (size_t start = 0; start + window <= left.size(); start += window) {
        levels.left.push_back(windowDb(left, start, window));
        levels.right.push_back(windowDb(right, start, window));
    }
    return levels;
}

std::string header(const std::string& name, int rate)
{
    return "# Grimbolt program \"" + name + "\" at " + std::to_string(rate)
        + " Hz: RMS of 10 ms windows, left and right, in dBFS (floor -120)\n"
          "# Tolerance "
        + std::to_string(kToleranceDb) + " dB. Recorded by scripts/record-golden-levels.\n";
}

void write(const std::string& path, const std::string& name, int rate, const Levels& levels)
{
    std::ofstream file(path);
    file << header(name, rate);
    char line[64];
    for (size_t i = 0; i < levels.left.size(); ++i) {
        std::snprintf(line, sizeof line, "%.3f %.3f\n", levels.left[i], levels.right[i]);
        file << line;
    }
}

bool read(const std::string& path, Levels& levels)
{
    std::ifstream file(path);
    if (!file)
        return false;
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream values(line);
        double left = 0.0, right = 0.0;
        values >> left >> right;
        levels.left.push_back(left);
        levels.right.push_back(right);
    }
    return true;
}

bool recording()
{
    const char* flag = std::getenv("GRIMBOLT_RECORD_GOLDEN");
    return flag != nullptr && std::string(flag) == "1";
}

}  // namespace

TEST(GoldenLevels, EveryFactoryProgramAtEveryRateKeepsItsLevels)
{
    for (const int rate : {44100, 48000, 88200, 96000}) {
        for (int32_t program = 0; program < kFactoryPrograms; ++program) {
            std::string name;
            const Levels actual = render(program, rate, name);
            const std::string file = name + "-" + std::to_string(rate) + ".txt";
            if (recording()) {
                write(std::string(GOLDEN_DIRECTORY) + "/" + file, name, rate, actual);
                continue;
            }
            Levels expected;
            ASSERT_TRUE(read(std::string(GOLDEN_DIRECTORY) + "/" + file, expected))
                << file << " is missing: scripts/record-golden-levels --overwrite records it";
            ASSERT_EQ(actual.left.size(), expected.left.size()) << file;
            double worst = 0.0;
            size_t worstWindow = 0;
            for (size_t i = 0; i < expected.left.size(); ++i) {
                for (const double error : {std::fabs(actual.left[i] - expected.left[i]),
                         std::fabs(actual.right[i] - expected.right[i])}) {
                    if (error > worst) {
                        worst = error;
                        worstWindow = i;
                    }
                }
            }
            if (worst > kToleranceDb)
                write(std::string(ACTUAL_DIRECTORY) + "/" + name + "-" + std::to_string(rate) + "_actual.txt",
                    name, rate, actual);
            EXPECT_LE(worst, kToleranceDb)
                << file << ": window " << worstWindow << " (from " << worstWindow * 10 << " ms) is "
                << actual.left[worstWindow] << " dB, recorded " << expected.left[worstWindow]
                << " dB; the levels heard are in " << ACTUAL_DIRECTORY;
        }
    }
}
