#include "AmpEngine.h"

#include <cmath>
#include <cstring>

AmpEngine::AmpEngine()
{
    setChannel(0);
}

AmpEngine::~AmpEngine() = default;

void AmpEngine::setSampleRate(float rate)
{
    sampleRate_ = rate;
}

void AmpEngine::setChannel(int32_t channel)
{
    channel_ = channel;
}

void AmpEngine::setDrive(float value) { drive_ = value; }
void AmpEngine::setBass(float value) { bass_ = value; }
void AmpEngine::setMid(float value) { mid_ = value; }
void AmpEngine::setTreble(float value) { treble_ = value; }
void AmpEngine::setPresence(float value) { presence_ = value; }
void AmpEngine::setVoicing(float value) { voicing_ = value; }
void AmpEngine::setMaster(float value) { master_ = value; }

void AmpEngine::setInputGain(float value)
{
    const float x = value - 0.5f;
    inputGain_ = x == 0.0f ? 1.0f : static_cast<float>(std::pow(10.0, x * 24.0 * 0.05));
}

void AmpEngine::setCabinetBypass(float value)
{
    cabinetActive_ = value == 1.0f ? 0 : 1;
}

void AmpEngine::processReplacing(const float*, float* output0, float* output1, int32_t frames)
{
    if (frames <= 0)
        return;
    std::memset(output0, 0, sizeof(float) * static_cast<size_t>(frames));
    std::memcpy(output1, output0, sizeof(float) * static_cast<size_t>(frames));
}

void AmpEngine::process(const float*, float*, float*, int32_t)
{
}
