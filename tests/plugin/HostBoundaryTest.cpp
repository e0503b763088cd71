#include "RecordingEditor.h"
#include "TestHost.h"

#include "engine/AmpEngine.h"
#include "plugin/Parameters.h"
#include "shell/PluginEntry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <new>
#include <stdexcept>

TEST(HostBoundary, NullPointersForTextAndStructureOpcodesAreIgnored)
{
    const int32_t opcodes[] = {
        effSetProgramName,
        effGetProgramName,
        effGetParamLabel,
        effGetParamDisplay,
        effGetParamName,
        effEditGetRect,
        effGetChunk,
        effCanDo,
        effGetProgramNameIndexed,
        effGetEffectName,
        effGetVendorString,
        effGetProductString,
        effGetSpeakerArrangement,
        effGetMidiKeyName,
    };
    TestHost host;
    host.load();
    attachRecordingEditor(host.plugin());
    for (int32_t opcode : opcodes)
        EXPECT_EQ(host.dispatch(opcode, 0, 0, nullptr), 0) << "opcode " << opcode;

    void* arrangement = &host;
    host.dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(&arrangement), nullptr);
    host.dispatch(effGetSpeakerArrangement, 0, 0, &arrangement);
    EXPECT_EQ(arrangement, &host) << "half a speaker request writes nothing";
    EXPECT_EQ(host.text(effGetProgramName), "default");
}

TEST(HostBoundary, AudioWithMissingBuffersWritesNothing)
{
    TestHost host;
    host.load();
    float input[8] = {}, left[8], right[8];
    float* none[] = {nullptr, nullptr};
    float* inputs[] = {input};
    float* outputs[] = {left, right};
    float* halfOutputs[] = {left, nullptr};
    struct Case {
        const char* what;
        float** inputs;
        float** outputs;
        int32_t frames;
    };
    const Case cases[] = {
        {"null input array", nullptr, outputs, 8},
        {"null output array", inputs, nullptr, 8},
        {"null input channel", none, outputs, 8},
        {"null second output", inputs, halfOutputs, 8},
        {"negative frames", inputs, outputs, -8},
    };
    for (const Case& c : cases) {
        for (auto* callback : {host.effect()->process, host.effect()->processReplacing}) {
            std::fill(std::begin(left), std::end(left), 3.0f);
            std::fill(std::begin(right), std::end(right), 3.0f);
            callback(host.effect(), c.inputs, c.outputs, c.frames);
            for (int i = 0; i < 8; ++i) {
                EXPECT_EQ(left[i], 3.0f) << c.what;
                EXPECT_EQ(right[i], 3.0f) << c.what;
            }
        }
    }
}

TEST(HostBoundary, ValuesThatAreNotFiniteOrHugeAreIgnoredEntirely)
{
    const float rejected[] = {
        std::numeric_limits<float>::quiet_NaN(),
        std::numeric_limits<float>::infinity(),
        -std::numeric_limits<float>::infinity(),
        1000.5f,
        -2000.0f,
        3.0e38f,
    };
    TestHost host;
    host.load();
    RecordingEditor* editor = attachRecordingEditor(host.plugin());
    host.dispatch(effSetProgram, 0, 2);
    editor->notifications.clear();
    for (int32_t index = 0; index < kNumParams; ++index) {
        const float before = host.getParameter(index);
        for (float value : rejected) {
            host.setParameter(index, value);
            EXPECT_EQ(host.getParameter(index), before) << "parameter " << index << " = " << value;
        }
    }
    EXPECT_TRUE(editor->notifications.empty());
    host.dispatch(effSetProgram, 0, 0);
    host.dispatch(effSetProgram, 0, 2);
    EXPECT_EQ(host.getParameter(kDrive), 0.6f) << "nothing was stored in the program";
    EXPECT_EQ(host.getParameter(kChannel), 0.5f);

    // Slightly out of range still works, and so does the limit itself.
    host.setParameter(kMaster, 1.05f);
    EXPECT_EQ(host.getParameter(kMaster), 1.05f);
    host.setParameter(kTreble, -1000.0f);
    EXPECT_EQ(host.getParameter(kTreble), -1000.0f);
}

TEST(HostBoundary, ParameterTextsFitFifteenBytes)
{
    const float values[] = {-1000.0f, -1.0f, 0.0f, 0.3333f, 1.0f, 999.9f, 1000.0f};
    TestHost host;
    host.load();
    for (float value : values) {
        for (int32_t index = 0; index < kNumParams; ++index) {
            host.setParameter(index, value);
            for (int32_t opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay})
                EXPECT_LE(host.text(opcode, index).size(), 14u)
                    << "opcode " << opcode << ", parameter " << index << " = " << value;
        }
    }
}

namespace {
class ThrowingEditor : public AEffEditor {
public:
    using AEffEditor::AEffEditor;
    int32_t getRect(ERect**) override { throw std::runtime_error("getRect"); }
    void idle() override { throw std::bad_alloc(); }
    void setParameter(int32_t, float) override { throw std::runtime_error("setParameter"); }
};
}  // namespace

TEST(HostBoundary, ExceptionsStopAtTheTrampolines)
{
    TestHost host;
    host.load();
    host.plugin().setEditor(new ThrowingEditor(&host.plugin()));
    ERect* rect = nullptr;
    EXPECT_EQ(host.dispatch(effEditGetRect, 0, 0, &rect), 0);
    EXPECT_EQ(host.dispatch(effEditIdle), 0);
    host.setParameter(kBass, 0.9f);
    EXPECT_EQ(host.getParameter(kBass), 0.9f) << "applied before the editor threw";
    EXPECT_EQ(host.dispatch(effSetProgram, 0, 1), 0);
    EXPECT_EQ(host.dispatch(effGetProgram), 1);
}

namespace {
intptr_t VST_CALLBACK hostOutOfMemory(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float)
{
    if (opcode == audioMasterGetSampleRate)
        throw std::bad_alloc();
    return opcode == audioMasterVersion ? 2400 : 0;
}

intptr_t VST_CALLBACK healthyHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

// Runs in a child process: the out-of-memory state must not leak into other tests.
int loadAfterOutOfMemory()
{
    if (createGrimboltEffect(hostOutOfMemory) != nullptr)
        return 1;
    if (createGrimboltEffect(healthyHost) != nullptr)
        return 2;
    return 0;
}
}  // namespace

TEST(HostBoundaryDeathTest, OutOfMemoryDuringCreationFailsThisAndLaterCreations)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(loadAfterOutOfMemory()), testing::ExitedWithCode(0), "");
}

TEST(HostBoundary, SlotsCalledWithoutARecordAnswerNothing)
{
    AEffect stranger{};  // a record whose object is gone, as after a double close
    for (AEffect* effect : {static_cast<AEffect*>(nullptr), &stranger}) {
        EXPECT_EQ(dispatchEffectClass(effect, effGetVendorVersion, 0, 0, nullptr, 0.0f), 0);
        EXPECT_EQ(dispatchEffectClass(effect, effClose, 0, 0, nullptr, 0.0f), 0);
        EXPECT_EQ(getParameterClass(effect, kDrive), 0.0f);
        setParameterClass(effect, kDrive, 0.5f);
        float input[4] = {}, left[4] = {}, right[4] = {};
        float* inputs[] = {input};
        float* outputs[] = {left, right};
        processClassReplacing(effect, inputs, outputs, 4);
        processClass(effect, inputs, outputs, 4);
    }
}
