// A plug-in that only watches its host: it checks that processReplacing runs resumed, in
// blocks no longer than the block size it was given, and that neither a suspend nor a new block
// size or rate comes while a block runs; and it keeps the order of those calls. One input, two
// outputs; it writes its input to both.
#include "plugin/vst/VstInterface.h"
#include "tests/live/ProbePlugin.h"

#include <thread>

namespace {

struct Probe {
    AEffect effect{};
    ProbeRecord record;
    std::atomic<bool> resumed{false};
    std::atomic<bool> inBlock{false};
};

Probe* probeOf(AEffect* effect)
{
    return static_cast<Probe*>(effect->object);
}

void note(ProbeRecord& record, int value)
{
    const int at = record.opcodeCount.fetch_add(1);
    if (at < ProbeRecord::kMaxOpcodes)
        record.opcodes[at].store(value);
}

intptr_t VST_CALLBACK dispatch(
    AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void*, float opt)
{
    Probe* probe = probeOf(effect);
    ProbeRecord& record = probe->record;
    switch (opcode) {
    case effClose:
        delete probe;
        return 0;
    case effMainsChanged:
    case effSetBlockSize:
    case effSetSampleRate:
        if (probe->inBlock.load())
            record.violations.fetch_add(1);
        if (opcode == effMainsChanged) {
            probe->resumed.store(value != 0);
            note(record, value != 0 ? 1 : 0);
        } else if (opcode == effSetBlockSize) {
            record.blockSize.store(static_cast<int>(value));
            note(record, 1000 + static_cast<int>(value));
        } else {
            note(record, -static_cast<int>(opt));
        }
        return 0;
    case effVendorSpecific:
        return index == kProbeIndex ? reinterpret_cast<intptr_t>(&record) : 0;
    default:
        return 0;
    }
}

void VST_CALLBACK processReplacing(AEffect* effect, float** inputs, float** outputs, int32_t frames)
{
    Probe* probe = probeOf(effect);
    ProbeRecord& record = probe->record;
    probe->inBlock.store(true);
    if (!probe->resumed.load() || frames > record.blockSize.load())
        record.violations.fetch_add(1);
    for (int32_t i = 0; i < frames; ++i)
        outputs[0][i] = outputs[1][i] = inputs[0][i];
    // A block that lasts, so that a call from another thread would meet it.
    std::this_thread::yield();
    record.blocks.fetch_add(1);
    int largest = record.largestBlock.load();
    while (frames > largest && !record.largestBlock.compare_exchange_weak(largest, frames)) { }
    probe->inBlock.store(false);
}

void VST_CALLBACK setParameter(AEffect*, int32_t, float) { }

float VST_CALLBACK getParameter(AEffect*, int32_t)
{
    return 0.0f;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback)
{
    auto* probe = new Probe;
    AEffect& effect = probe->effect;
    effect.magic = kEffectMagic;
    effect.dispatcher = dispatch;
    effect.setParameter = setParameter;
    effect.getParameter = getParameter;
    effect.processReplacing = processReplacing;
    effect.numInputs = 1;
    effect.numOutputs = 2;
    effect.flags = effFlagsCanReplacing;
    effect.object = probe;
    return &effect;
}
