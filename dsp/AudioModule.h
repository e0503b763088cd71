// Base of the DSP blocks that are owned polymorphically. It has no per-sample virtual
// operation: owners call each block's process() directly.
#pragma once

class AudioModule {
public:
    AudioModule() = default;
    AudioModule(const AudioModule&) = default;
    AudioModule& operator=(const AudioModule&) = default;
    virtual ~AudioModule() = default;
};
