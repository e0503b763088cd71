#include "TestHost.h"

#include "shell/PluginEntry.h"

#include <cstring>

namespace {
// The plug-in calls back before its AEffect is known to the host (version query, sample
// rate during construction); those calls go to the host that is loading.
TestHost* loadingHost = nullptr;
}  // namespace

TestHost::TestHost()
    : answers{{audioMasterVersion, 2400}, {audioMasterGetSampleRate, 44100}}
{
}

TestHost::~TestHost()
{
    if (effect_)
        close();
}

AEffect* TestHost::load()
{
    loadingHost = this;
    effect_ = createGrimboltEffect(callback);
    loadingHost = nullptr;
    if (effect_)
        effect_->user = this;
    return effect_;
}

GrimboltEffect& TestHost::plugin() const
{
    return *static_cast<GrimboltEffect*>(static_cast<AudioEffect*>(effect_->object));
}

intptr_t TestHost::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt)
{
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::string TestHost::text(int32_t opcode, int32_t index, intptr_t value)
{
    char buffer[256];
    std::memset(buffer, '#', sizeof(buffer));
    buffer[sizeof(buffer) - 1] = 0;
    dispatch(opcode, index, value, buffer);
    return buffer;
}

void TestHost::setParameter(int32_t index, float value)
{
    effect_->setParameter(effect_, index, value);
}

float TestHost::getParameter(int32_t index)
{
    return effect_->getParameter(effect_, index);
}

intptr_t TestHost::close()
{
    const intptr_t result = dispatch(effClose);
    effect_ = nullptr;
    return result;
}

intptr_t VST_CALLBACK TestHost::callback(
    AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt)
{
    TestHost* host = effect && effect->user ? static_cast<TestHost*>(effect->user) : loadingHost;
    host->calls.push_back({opcode, index, value, ptr, opt, effect != nullptr});
    const auto answer = host->answers.find(opcode);
    return answer == host->answers.end() ? 0 : answer->second;
}
