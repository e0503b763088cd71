// The panel as a host and a user see it: its size before opening, what it shows on open,
// the channel selector, automation from the host, and every edit reaching the host.
#include "gui/CAnimKnob.h"
#include "gui/CButtonState.h"
#include "plugin/EditorSnapshot.h"
#include "plugin/Parameters.h"
#include "tests/editor/PanelHost.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const CPos kChannelUp(252, 16);
const CPos kChannelDown(133, 16);

struct ControlPlace {
    int32_t tag;
    CPos centre;
};

// Every control that edits a parameter, by where a user would grab it.
const ControlPlace kKnobs[] = {
    {kInputGain, CPos(61, 17)},
    {kVoicing, CPos(30, 71)},
    {kDrive, CPos(82, 71)},
    {kBass, CPos(136, 71)},
    {kMid, CPos(190, 71)},
    {kTreble, CPos(244, 71)},
    {kPresence, CPos(298, 71)},
    {kMaster, CPos(352, 71)},
};
const ControlPlace kBypassButton{kBypassCabinet, CPos(284, 36)};

// The events of one gesture: it opens and closes on tag, and every automation inside is tag's.
void expectOneGestureOn(const std::vector<HostEvent>& events, int32_t tag, int32_t parameter)
{
    ASSERT_GE(events.size(), 2u) << "tag " << tag;
    EXPECT_EQ(events.front().opcode, audioMasterBeginEdit) << "tag " << tag;
    EXPECT_EQ(events.front().index, parameter) << "tag " << tag;
    EXPECT_EQ(events.back().opcode, audioMasterEndEdit) << "tag " << tag;
    EXPECT_EQ(events.back().index, parameter) << "tag " << tag;
    for (size_t i = 1; i + 1 < events.size(); ++i) {
        EXPECT_EQ(events[i].opcode, audioMasterAutomate) << "tag " << tag << " event " << i;
        EXPECT_EQ(events[i].index, parameter) << "tag " << tag << " event " << i;
    }
}

}  // namespace

TEST(GrimboltEditor, ReportsItsSizeBeforeEverOpening)
{
    PanelHost host;
    EXPECT_EQ(host.effect->flags, 0x11);
    ERect* rect = nullptr;
    ASSERT_EQ(host.dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, 110);
    EXPECT_EQ(rect->right, 380);
}

TEST(GrimboltEditor, OpensShowingTheEffectsValuesAndChannel)
{
    const struct {
        float channelValue;
        const char* text;
        int32_t shown;
    } cases[] = {{0.0f, "clean channel", 1}, {0.5f, "crunch channel", 2}, {1.0f, "ultra channel", 3}};
    for (const auto& test : cases) {
        PanelHost host;
        host.setParameter(kChannel, test.channelValue);
        host.setParameter(kDrive, 0.25f);
        host.setParameter(kBypassCabinet, 1.0f);
        ASSERT_TRUE(host.open());
        EXPECT_STREQ(host.editor().channelText(), test.text);
        EXPECT_EQ(host.editor().getCurrentChannel(), test.shown);
        EXPECT_EQ(host.editor().controlForTag(kDrive)->getValue(), 0.25f);
        EXPECT_EQ(host.editor().controlForTag(kBypassCabinet)->getValue(), 1.0f);
    }
}

TEST(GrimboltEditor, ChannelArrowsStepOncePerClickUntilTheEnd)
{
    PanelHost host;
    ASSERT_TRUE(host.open());
    const struct {
        CPos arrow;
        std::vector<HostEvent> automation;
        const char* text;
    } clicks[] = {
        {kChannelUp, {{audioMasterAutomate, kChannel, 0.6f}}, "crunch channel"},
        {kChannelUp, {{audioMasterAutomate, kChannel, 0.90000004f}}, "ultra channel"},
        {kChannelUp, {}, "ultra channel"},
        {kChannelDown, {{audioMasterAutomate, kChannel, 0.6f}}, "crunch channel"},
        {kChannelDown, {{audioMasterAutomate, kChannel, 0.3f}}, "clean channel"},
        {kChannelDown, {}, "clean channel"},
    };
    int click = 0;
    for (const auto& test : clicks) {
        host.events.clear();
        host.click(test.arrow);
        EXPECT_EQ(host.automation(), test.automation) << "click " << click;
        expectOneGestureOn(host.events, 0, kChannel);
        host.idle();
        EXPECT_STREQ(host.editor().channelText(), test.text) << "click " << click;
        ++click;
    }
}

TEST(GrimboltEditor, ArrowDraggedOutAndReleasedStepsOnce)
{
    PanelHost host;
    ASSERT_TRUE(host.open());
    const CPos outside(200, 90);
    host.gesture({{kChannelUp, kLButton}, {outside, kLButton}, {outside, kLButton}, {kChannelUp, kLButton},
        {kChannelUp, kLButton}, {kChannelUp, 0}});
    EXPECT_EQ(host.automation(), (std::vector<HostEvent>{{audioMasterAutomate, kChannel, 0.6f}}));
    EXPECT_EQ(host.editor().getCurrentChannel(), 2);
}

TEST(GrimboltEditor, HostAutomationMovesTheControlsWithinOneIdle)
{
    PanelHost host;
    ASSERT_TRUE(host.open());
    auto* gain = static_cast<CAnimKnob*>(host.editor().controlForTag(kDrive));
    host.setParameter(kDrive, 0.25f);
    host.setParameter(kChannel, 1.0f);
    host.setParameter(kBypassCabinet, 1.0f);
    host.idle();
    EXPECT_EQ(gain->getValue(), 0.25f);
    EXPECT_EQ(gain->frameOffset(), 15 * 42);
    EXPECT_FALSE(gain->isDirty()) << "drawn in the same idle";
    EXPECT_STREQ(host.editor().channelText(), "ultra channel");
    EXPECT_EQ(host.editor().getCurrentChannel(), 3);
    EXPECT_EQ(host.editor().controlForTag(kBypassCabinet)->getValue(), 1.0f);
    EXPECT_TRUE(host.automation().empty()) << "the host's own changes are not sent back";
}

TEST(GrimboltEditor, EveryEditReachesTheHostAsAutomationInsideAGesture)
{
    PanelHost host;
    ASSERT_TRUE(host.open());
    for (const ControlPlace& knob : kKnobs) {
        host.events.clear();
        const CPos end(knob.centre.h + 20, knob.centre.v);
        host.gesture({{knob.centre, kLButton}, {end, kLButton}, {end, 0}});
        expectOneGestureOn(host.events, knob.tag, knob.tag);
        const float value = host.editor().controlForTag(knob.tag)->getValue();
        ASSERT_FALSE(host.automation().empty()) << "tag " << knob.tag;
        EXPECT_EQ(host.automation().back().value, value) << "tag " << knob.tag;
        EXPECT_EQ(host.effect->getParameter(host.effect, knob.tag), value) << "tag " << knob.tag;
    }
    host.events.clear();
    host.click(kBypassButton.centre);
    EXPECT_EQ(host.events,
        (std::vector<HostEvent>{{audioMasterBeginEdit, kBypassCabinet, 0.0f},
            {audioMasterAutomate, kBypassCabinet, 1.0f}, {audioMasterEndEdit, kBypassCabinet, 0.0f}}));
    EXPECT_EQ(host.effect->getParameter(host.effect, kBypassCabinet), 1.0f);
}

TEST(GrimboltEditor, SnapshotOfAClosedPanelIsWhatTheOpenPanelShows)
{
    PanelHost host;
    host.setParameter(kChannel, 0.5f);
    host.setParameter(kDrive, 0.8f);
    host.setParameter(kBypassCabinet, 1.0f);
    const size_t words = 4 + 380 * 110;
    std::vector<uint32_t> closed(words);
    std::vector<uint32_t> open(words);
    closed[0] = open[0] = kEditorSnapshotMagic;
    const auto bytes = static_cast<intptr_t>(words * 4);
    ASSERT_EQ(host.dispatch(effVendorSpecific, kEditorSnapshotIndex, bytes, closed.data()), 1);
    EXPECT_EQ(host.frame(), nullptr) << "the request leaves the panel closed";
    ASSERT_TRUE(host.open());
    ASSERT_EQ(host.dispatch(effVendorSpecific, kEditorSnapshotIndex, bytes, open.data()), 1);
    EXPECT_TRUE(closed == open);
    EXPECT_STREQ(host.editor().channelText(), "crunch channel");
}

TEST(GrimboltEditor, SnapshotAnswersOnlyABlockItFitsOpenOrClosed)
{
    PanelHost host;
    std::vector<uint32_t> block(4 + 380 * 110);
    const auto bytes = static_cast<intptr_t>(block.size() * 4);
    const struct {
        int32_t index;
        intptr_t bytes;
        uint32_t magic;
        intptr_t answer;
    } cases[] = {
        {kEditorSnapshotIndex, bytes, kEditorSnapshotMagic, 1},
        {kEditorSnapshotIndex + 1, bytes, kEditorSnapshotMagic, 0},
        {kEditorSnapshotIndex, bytes - 4, kEditorSnapshotMagic, 0},
        {kEditorSnapshotIndex, 8, kEditorSnapshotMagic, 0},
        {kEditorSnapshotIndex, -bytes, kEditorSnapshotMagic, 0},
        {kEditorSnapshotIndex, bytes, kEditorSnapshotMagic + 1, 0},
    };
    for (const bool opened : {false, true}) {
        if (opened) {
            ASSERT_TRUE(host.open());
        }
        for (const auto& test : cases) {
            block[0] = test.magic;
            block[1] = block[2] = 0;
            EXPECT_EQ(host.dispatch(effVendorSpecific, test.index, test.bytes, block.data()), test.answer)
                << test.index << " " << test.bytes << " " << test.magic << " open " << opened;
            EXPECT_EQ(block[1], test.answer ? 380u : 0u);
            EXPECT_EQ(block[2], test.answer ? 110u : 0u);
        }
        EXPECT_EQ(host.dispatch(effVendorSpecific, kEditorSnapshotIndex, bytes, nullptr), 0);
    }
}

TEST(GrimboltEditor, OpeningAgainDragsTheKnobsLinearlyWhateverModeTheHostSetMeanwhile)
{
    PanelHost host;
    ASSERT_TRUE(host.open());
    host.dispatch(effSetEditKnobMode, 0, kCircularKnobMode);
    host.close();
    ASSERT_TRUE(host.open());
    EXPECT_EQ(host.frame()->getKnobMode(), kLinearKnobMode);
    // Circularly, a drag to the right of the master knob's centre would jump towards the
    // maximum; linearly, 20 pixels move it by a tenth of its range.
    const ControlPlace& master = kKnobs[7];
    host.setParameter(kMaster, 0.5f);
    host.idle();
    const CPos end(master.centre.h + 20, master.centre.v);
    host.gesture({{master.centre, kLButton}, {end, kLButton}, {end, 0}});
    EXPECT_NEAR(host.editor().controlForTag(kMaster)->getValue(), 0.6f, 1e-5f);
}
