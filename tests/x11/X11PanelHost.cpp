#include "tests/x11/X11PanelHost.h"

#include "plugin/EditorSnapshot.h"
#include "shell/PluginEntry.h"
#include "tests/x11/TestDisplay.h"

#include <chrono>
#include <thread>

namespace {
constexpr int kSettleRounds = 200;
constexpr auto kSettleStep = std::chrono::milliseconds(10);
}  // namespace

X11PanelHost::X11PanelHost()
    : effect_(createGrimboltEffect(&X11PanelHost::callback))
{
    effect_->user = this;
}

X11PanelHost::~X11PanelHost()
{
    dispatch(effClose);
}

intptr_t X11PanelHost::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr)
{
    return effect_->dispatcher(effect_, opcode, index, value, ptr, 0.0f);
}

intptr_t X11PanelHost::open(unsigned long window)
{
    return dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(static_cast<uintptr_t>(window)));
}

std::vector<uint32_t> X11PanelHost::snapshot()
{
    std::vector<uint32_t> block(sizeof(EditorSnapshot) / 4 + static_cast<size_t>(kWidth) * kHeight);
    block[0] = kEditorSnapshotMagic;
    if (dispatch(
            effVendorSpecific, kEditorSnapshotIndex, static_cast<intptr_t>(block.size() * 4), block.data())
        != 1)
        return {};
    block.erase(block.begin(), block.begin() + sizeof(EditorSnapshot) / 4);
    return block;
}

bool X11PanelHost::idleUntilShowing(const std::function<std::vector<uint32_t>()>& shown)
{
    for (int round = 0; round < kSettleRounds; ++round) {
        idle();
        const std::vector<uint32_t> expected = snapshot();
        if (!expected.empty() && samePicture(shown(), expected))
            return true;
        std::this_thread::sleep_for(kSettleStep);
    }
    return false;
}

void X11PanelHost::onIdles(std::vector<std::function<void()>> steps)
{
    steps_ = std::move(steps);
    nextStep_ = 0;
}

intptr_t VST_CALLBACK X11PanelHost::callback(
    AEffect* effect, int32_t opcode, int32_t index, intptr_t, void*, float opt)
{
    auto* host = effect ? static_cast<X11PanelHost*>(effect->user) : nullptr;
    switch (opcode) {
    case audioMasterVersion:
        return 2400;
    case audioMasterIdle:
        if (host && host->nextStep_ < host->steps_.size())
            host->steps_[host->nextStep_++]();
        return 0;
    case audioMasterAutomate:
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
        if (host)
            host->events.push_back({opcode, index, opcode == audioMasterAutomate ? opt : 0.0f});
        return 1;
    default:
        return 0;
    }
}
