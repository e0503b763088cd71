#include "RecordingEditor.h"
#include "TestHost.h"

#include "engine/AmpEngine.h"

#include <gtest/gtest.h>

TEST(Dispatcher, FreshEffectPresentsItsIdentityInTheRecord)
{
    TestHost host;
    const AEffect* e = host.load();
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->magic, 0x56737450);
    EXPECT_EQ(e->numPrograms, 63);
    EXPECT_EQ(e->numParams, 10);
    EXPECT_EQ(e->numInputs, 1);
    EXPECT_EQ(e->numOutputs, 2);
    EXPECT_EQ(e->flags, 0x11) << "has an editor, can replace";
    EXPECT_EQ(e->uniqueID, 0x74756231);
    EXPECT_EQ(e->version, 1);
    EXPECT_EQ(e->ioRatio, 1.0f);
    EXPECT_EQ(e->initialDelay, 0);
}

TEST(Dispatcher, AnswersEveryOpcodeAsDocumented)
{
    const std::pair<int32_t, intptr_t> cases[] = {
        {effOpen, 0},
        {effGetProgram, 0},
        {effGetVu, 0},
        {effIdentify, 0x4E764566},
        {effSetChunk, 0},
        {effProcessEvents, 0},
        {effCanBeAutomated, 1},
        {effString2Parameter, 0},
        {effGetNumProgramCategories, 1},
        {effCopyProgram, 0},
        {effConnectInput, 1},
        {effConnectOutput, 1},
        {effGetPlugCategory, 1},
        {effSetBypass, 0},
        {effCanDo, 0},
        {effGetTailSize, 0},
        {effKeysRequired, 1},
        {effGetVendorVersion, 1000},
        {effGetVstVersion, 2300},
        {effGetCurrentMidiProgram, -1},
        {effBeginSetProgram, 0},
        {effSetTotalSampleToProcess, 4096},
        {effBeginLoadProgram, 0},
        {77, 0},
        {-1, 0},
    };
    TestHost host;
    host.load();
    char bypass[] = "bypass";
    for (const auto& [opcode, expected] : cases)
        EXPECT_EQ(host.dispatch(opcode, 0, 4096, bypass), expected) << "opcode " << opcode;

    const std::pair<int32_t, const char*> texts[] = {
        {effGetEffectName, "Grimbolt"},
        {effGetProductString, "Grimbolt"},
        {effGetVendorString, "Kelvaro Sound Lab"},
    };
    for (const auto& [opcode, expected] : texts) {
        char buffer[64] = {};
        EXPECT_EQ(host.dispatch(opcode, 0, 0, buffer), 1) << "opcode " << opcode;
        EXPECT_STREQ(buffer, expected) << "opcode " << opcode;
    }
}

TEST(Dispatcher, PointerOpcodesWriteOnlyWhatTheyOffer)
{
    TestHost host;
    host.load();
    void* chunk = &host;
    EXPECT_EQ(host.dispatch(effGetChunk, 0, 0, &chunk), 0);
    EXPECT_EQ(chunk, &host) << "no chunk";

    void* input = &host;
    void* output = &host;
    EXPECT_EQ(host.dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(&input), &output), 0);
    EXPECT_EQ(input, nullptr);
    EXPECT_EQ(output, nullptr);
}

TEST(Dispatcher, SampleRateReachesTheEngineOnlyThroughSetSampleRate)
{
    TestHost host;
    host.load();
    const float startRate = host.plugin().engine().sampleRate();
    EXPECT_EQ(host.dispatch(effSetBlockSizeAndSampleRate, 0, 512, nullptr, 96000.0f), 1);
    EXPECT_EQ(host.plugin().engine().sampleRate(), startRate);
    EXPECT_EQ(host.plugin().getSampleRate(), 96000.0f);
    EXPECT_EQ(host.plugin().getBlockSize(), 512);

    EXPECT_EQ(host.dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f), 0);
    EXPECT_EQ(host.plugin().engine().sampleRate(), 48000.0f);
    EXPECT_EQ(host.plugin().getSampleRate(), 96000.0f) << "the recorded host rate stays";
}

TEST(Dispatcher, SetProgramOutsideTheBankIsIgnored)
{
    TestHost host;
    host.load();
    host.dispatch(effSetProgram, 0, 2);
    for (intptr_t program : {intptr_t{63}, intptr_t{-1}, intptr_t{1} << 20}) {
        host.dispatch(effSetProgram, 0, program);
        EXPECT_EQ(host.dispatch(effGetProgram), 2) << "program " << program;
    }
}

TEST(Dispatcher, CloseAnswersOneAndDestroysTheEffectWithItsEditor)
{
    struct WatchedEditor : AEffEditor {
        WatchedEditor(AudioEffect* owner, bool& destroyed)
            : AEffEditor(owner)
            , destroyed_(destroyed)
        {
        }
        ~WatchedEditor() override { destroyed_ = true; }
        bool& destroyed_;
    };
    bool destroyed = false;
    TestHost host;
    host.load();
    host.plugin().setEditor(new WatchedEditor(&host.plugin(), destroyed));
    EXPECT_EQ(host.close(), 1);
    EXPECT_TRUE(destroyed);
}

TEST(Dispatcher, WithoutEditorEditorOpcodesAnswerZeroAndWriteNothing)
{
    TestHost host;
    host.load();
    host.plugin().setEditor(nullptr);
    EXPECT_EQ(host.effect()->flags, 0x10);
    ERect* rect = reinterpret_cast<ERect*>(&host);
    for (int32_t opcode : {effEditGetRect, effEditOpen, effEditClose, effEditIdle, effEditKeyDown,
             effEditKeyUp, effSetEditKnobMode})
        EXPECT_EQ(host.dispatch(opcode, 1, 1, &rect), 0) << "opcode " << opcode;
    EXPECT_EQ(rect, reinterpret_cast<ERect*>(&host));
}

TEST(Dispatcher, ForwardsEditorOpcodesToTheEditorDefaults)
{
    TestHost host;
    host.load();
    RecordingEditor* editor = attachRecordingEditor(host.plugin());
    EXPECT_EQ(host.effect()->flags, 0x11);

    ERect* rect = reinterpret_cast<ERect*>(&host);
    EXPECT_EQ(host.dispatch(effEditGetRect, 0, 0, &rect), 0);
    EXPECT_EQ(rect, nullptr) << "the plain editor has no size";
    int parentWindow = 0;
    EXPECT_EQ(host.dispatch(effEditOpen, 0, 0, &parentWindow), 0);
    EXPECT_EQ(editor->window(), &parentWindow);
    EXPECT_EQ(host.dispatch(effSetEditKnobMode, 0, 1), 0);

    EXPECT_EQ(host.dispatch(effEditKeyDown, 'a', 37, nullptr, 4.0f), -1);
    EXPECT_EQ(host.dispatch(effEditKeyUp, 'b', 300, nullptr, -2.0f), -1);
    ASSERT_EQ(editor->keys.size(), 2u);
    EXPECT_EQ(editor->keys[0].character, 'a');
    EXPECT_EQ(editor->keys[0].virt, 37);
    EXPECT_EQ(editor->keys[0].modifier, 4);
    EXPECT_EQ(editor->keys[1].virt, 300 & 0xFF) << "the virtual key travels as a byte";
    EXPECT_EQ(editor->keys[1].modifier, 0) << "a modifier float that is no byte carries none";

    host.dispatch(effEditIdle);
    editor->postUpdate();
    host.dispatch(effEditIdle);
    host.dispatch(effEditIdle);
    EXPECT_EQ(host.dispatch(effEditClose), 0);
    EXPECT_EQ(editor->events, (std::vector<std::string>{"open", "update", "close"}))
        << "idle updates once per posted update";
}
