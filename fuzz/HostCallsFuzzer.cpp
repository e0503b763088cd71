// Host calls: the input decodes into a sequence of calls on one plug-in instance, as a host
// with any arguments would make them: dispatcher opcodes with arbitrary index, value, pointer
// and opt; setParameter and getParameter with any index and value; both audio callbacks with
// null or short buffers and odd frame counts; rates and block sizes from the edges.
//
// Pointers follow the host's side of the interface and nothing more: a text the plug-in
// reads ends in a zero; a buffer it writes a text into holds at least the longest text it
// writes for that opcode; a frame count never exceeds the buffers the call allocated. Within
// that, every buffer is a heap block of its exact size, so the sanitizer sees any overrun.
//
// Besides crashes, sanitizer reports, leaks and timeouts, the oracle stops on a non-finite
// output sample after finite input and on a non-finite parameter read-back.
#include "shell/PluginEntry.h"
#include "plugin/vst/VstInterface.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

namespace {

constexpr int32_t kMaxFrames = 4096;
constexpr int32_t kMaxCalls = 256;

// Host calls made over the whole run, reported when the fuzzer exits.
long long hostCalls = 0;
void reportHostCalls()
{
    std::fprintf(stderr, "host calls: %lld\n", hostCalls);
}

intptr_t VST_CALLBACK fuzzHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float)
{
    switch (opcode) {
    case audioMasterVersion:
        return 2400;
    case audioMasterGetSampleRate:
        return 44100;
    default:
        return 0;
    }
}

// The longest text (terminator included) the plug-in writes for each text opcode; 0 for
// opcodes that write no text.
size_t textCapacity(int32_t opcode)
{
    switch (opcode) {
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
        return 15;  // "Bypass cabinet", "crunch channel": written whole
    case effGetProgramName:
    case effGetProgramNameIndexed:
        return 24;  // the interface's program-name size
    case effGetEffectName:
    case effGetProductString:
        return 32;
    case effGetVendorString:
        return 64;
    default:
        return 0;
    }
}

bool readsText(int32_t opcode)
{
    return opcode == effSetProgramName || opcode == effCanDo;
}

float edgeFloat(FuzzedDataProvider& in)
{
    static constexpr float kEdges[] = {
        0.0f,
        -0.0f,
        1.0f,
        -1.0f,
        0.5f,
        0.999f,
        1.0001f,
        1000.0f,
        -1000.0f,
        1000.1f,
        1e30f,
        -1e30f,
        std::numeric_limits<float>::infinity(),
        -std::numeric_limits<float>::infinity(),
        std::numeric_limits<float>::quiet_NaN(),
        std::numeric_limits<float>::denorm_min(),
        std::numeric_limits<float>::max(),
        44100.0f,
        48000.0f,
        88200.0f,
        96000.0f,
        22050.0f,
        192000.0f,
        768000.0f,
        768001.0f,
        8000.0f,
        1.0f / 3.0f,
        2.0f / 3.0f,
    };
    if (in.ConsumeBool())
        return in.PickValueInArray(kEdges);
    return in.ConsumeFloatingPoint<float>();
}

// Heap blocks that live until the call they were made for has returned.
class CallBuffers {
public:
    char* bytes(size_t size)
    {
        blocks_.push_back(std::make_unique<char[]>(size));
        return blocks_.back().get();
    }
    float* samples(size_t count)
    {
        floats_.push_back(std::make_unique<float[]>(count == 0 ? 1 : count));
        return floats_.back().get();
    }
    void clear()
    {
        blocks_.clear();
        floats_.clear();
    }

private:
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::vector<std::unique_ptr<float[]>> floats_;
};

void* dispatcherPointer(int32_t opcode, FuzzedDataProvider& in, CallBuffers& buffers)
{
    if (in.ConsumeBool())
        return nullptr;
    if (const size_t capacity = textCapacity(opcode))
        return buffers.bytes(in.ConsumeIntegralInRange<size_t>(capacity, 64));
    if (readsText(opcode)) {
        const std::string text = in.ConsumeRandomLengthString(64);
        char* copy = buffers.bytes(text.size() + 1);
        std::memcpy(copy, text.c_str(), text.size() + 1);
        return copy;
    }
    if (opcode == effEditGetRect)  // room for the ERect pointer it writes
        return buffers.bytes(sizeof(ERect*));
    if (opcode == effGetSpeakerArrangement)  // room for one arrangement pointer
        return buffers.bytes(sizeof(void*));
    // Anything else: a block of random bytes the plug-in has no business reading or writing.
    const size_t size = in.ConsumeIntegralInRange<size_t>(1, 64);
    char* block = buffers.bytes(size);
    for (size_t i = 0; i < size; ++i)
        block[i] = static_cast<char>(in.ConsumeIntegral<uint8_t>());
    return block;
}

// Returns false once the call was effClose: the instance is gone, and the host makes no call
// after it.
bool dispatch(AEffect* effect, FuzzedDataProvider& in, CallBuffers& buffers)
{
    const int32_t opcode
        = in.ConsumeBool() ? in.ConsumeIntegralInRange<int32_t>(0, 80) : in.ConsumeIntegral<int32_t>();
    const int32_t index
        = in.ConsumeBool() ? in.ConsumeIntegralInRange<int32_t>(-2, 66) : in.ConsumeIntegral<int32_t>();
    intptr_t value
        = in.ConsumeBool() ? in.ConsumeIntegralInRange<intptr_t>(-2, 4096) : in.ConsumeIntegral<intptr_t>();
    const float opt = edgeFloat(in);
    void* ptr = dispatcherPointer(opcode, in, buffers);
    if (opcode == effGetSpeakerArrangement && value != 0)
        value = reinterpret_cast<intptr_t>(buffers.bytes(sizeof(void*)));
    // An editor window handle is the host's own; there is none here.
    if (opcode == effEditOpen)
        ptr = nullptr;
    effect->dispatcher(effect, opcode, index, value, ptr, opt);
    return opcode != effClose;
}

bool allFinite(const float* samples, int32_t count)
{
    for (int32_t i = 0; i < count; ++i)
        if (!std::isfinite(samples[i]))
            return false;
    return true;
}

void audio(AEffect* effect, FuzzedDataProvider& in, CallBuffers& buffers)
{
    const bool replacing = in.ConsumeBool();
    // Mostly short blocks, as they keep the run fast; now and then a long one.
    const int32_t longest = in.ConsumeIntegralInRange<int>(0, 7) == 0 ? kMaxFrames : 67;
    const int32_t frames = in.ConsumeIntegralInRange<int32_t>(-3, longest);
    const auto allocated = static_cast<size_t>(frames < 0 ? 0 : frames);

    float* input = in.ConsumeIntegralInRange<int>(0, 15) == 0 ? nullptr : buffers.samples(allocated);
    const bool finiteInput = input != nullptr && in.ConsumeBool();
    if (input) {
        const float level = finiteInput ? in.ConsumeFloatingPointInRange<float>(-2.0f, 2.0f) : edgeFloat(in);
        const uint32_t pattern = in.ConsumeIntegral<uint32_t>();
        for (size_t i = 0; i < allocated; ++i)
            input[i] = (pattern >> (i % 32)) & 1 ? level : -0.5f * level;
    }
    float* left = in.ConsumeIntegralInRange<int>(0, 15) == 0 ? nullptr : buffers.samples(allocated);
    float* right = in.ConsumeIntegralInRange<int>(0, 15) == 0 ? nullptr : buffers.samples(allocated);
    for (float* out : {left, right})
        if (out)
            std::fill(out, out + allocated, 0.0f);

    float* inputs[] = {input};
    float* outputs[] = {left, right};
    float** inputArray = in.ConsumeIntegralInRange<int>(0, 31) == 0 ? nullptr : inputs;
    float** outputArray = in.ConsumeIntegralInRange<int>(0, 31) == 0 ? nullptr : outputs;
    (replacing ? effect->processReplacing : effect->process)(effect, inputArray, outputArray, frames);

    if (finiteInput && inputArray && outputArray && left && right && frames > 0) {
        if (!allFinite(left, frames) || !allFinite(right, frames))
            __builtin_trap();
    }
}

void parameter(AEffect* effect, FuzzedDataProvider& in)
{
    const int32_t index
        = in.ConsumeBool() ? in.ConsumeIntegralInRange<int32_t>(-1, 10) : in.ConsumeIntegral<int32_t>();
    if (in.ConsumeBool()) {
        effect->setParameter(effect, index, edgeFloat(in));
    } else {
        const float value = effect->getParameter(effect, index);
        if (!std::isfinite(value))
            __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    std::atexit(reportHostCalls);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    AEffect* effect = createGrimboltEffect(fuzzHost);
    if (effect == nullptr)
        return 0;
    CallBuffers buffers;
    for (int32_t call = 0; call < kMaxCalls && in.remaining_bytes() > 0; ++call) {
        ++hostCalls;
        // Weighted towards the cheap calls; rate changes run a pre-roll and come seldom.
        const int kind = in.ConsumeIntegralInRange<int>(0, 19);
        switch (kind < 8 ? 0 : kind < 15 ? 1 : kind < 19 ? 2 : 3) {
        case 0:
            if (!dispatch(effect, in, buffers))
                return 0;
            break;
        case 1:
            parameter(effect, in);
            break;
        case 2:
            audio(effect, in, buffers);
            break;
        default: {
            const float rate = edgeFloat(in);
            effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, rate);
            effect->dispatcher(effect, effSetBlockSize, 0, in.ConsumeIntegral<int32_t>(), nullptr, 0.0f);
            break;
        }
        }
        buffers.clear();
    }
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    return 0;
}
