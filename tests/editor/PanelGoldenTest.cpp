// The panel, drawn natively, against pictures recorded when it was last judged right: any
// change to the artwork, the layout or the drawing shows here pixel for pixel. A mismatch
// leaves NAME_actual.png and NAME_diff.png (differing pixels red on the dimmed picture) in
// the build directory; GRIMBOLT_RECORD_GOLDEN=1 writes the current pictures as the new
// golden ones instead.
#include "plugin/EditorSnapshot.h"
#include "plugin/Parameters.h"
#include "tests/editor/PanelHost.h"
#include "tests/gui/scene/SceneImage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

const std::string kGoldenDirectory = GOLDEN_DIRECTORY;
const std::string kOutputDirectory = GOLDEN_OUTPUT_DIRECTORY;

SceneImage panelPicture(PanelHost& host)
{
    std::vector<uint32_t> block(4 + 380 * 110);
    block[0] = kEditorSnapshotMagic;
    const auto bytes = static_cast<intptr_t>(block.size() * sizeof(uint32_t));
    if (host.dispatch(effVendorSpecific, kEditorSnapshotIndex, bytes, block.data()) != 1)
        return SceneImage();
    return SceneImage::fromPixels(std::vector<uint32_t>(block.begin() + 4, block.end()), 380, 110);
}

SceneImage differences(const SceneImage& actual, const SceneImage& golden)
{
    SceneImage diff = actual;
    for (size_t i = 0; i + 2 < diff.rgb.size(); i += 3) {
        const bool differs = actual.rgb[i] != golden.rgb[i] || actual.rgb[i + 1] != golden.rgb[i + 1]
            || actual.rgb[i + 2] != golden.rgb[i + 2];
        for (size_t c = 0; c < 3; ++c)
            diff.rgb[i + c] = differs ? (c == 0 ? 255 : 0) : static_cast<uint8_t>(actual.rgb[i + c] / 4);
    }
    return diff;
}

void expectMatchesGolden(const SceneImage& actual, const std::string& name)
{
    ASSERT_EQ(actual.width, 380) << name;
    const std::string goldenPath = kGoldenDirectory + "/" + name + ".png";
    const char* record = std::getenv("GRIMBOLT_RECORD_GOLDEN");
    if (record && std::string(record) == "1") {
        ASSERT_TRUE(actual.save(goldenPath)) << goldenPath;
        return;
    }
    SceneImage golden;
    ASSERT_TRUE(golden.load(goldenPath)) << goldenPath << " (GRIMBOLT_RECORD_GOLDEN=1 records it)";
    ASSERT_EQ(golden.width, actual.width) << name;
    ASSERT_EQ(golden.height, actual.height) << name;
    if (golden.rgb == actual.rgb)
        return;
    actual.save(kOutputDirectory + "/" + name + "_actual.png");
    differences(actual, golden).save(kOutputDirectory + "/" + name + "_diff.png");
    ADD_FAILURE() << name << " differs from " << goldenPath << "; see " << kOutputDirectory << "/" << name
                  << "_actual.png and _diff.png";
}

}  // namespace

TEST(PanelGolden, DefaultProgram)
{
    PanelHost host;
    ASSERT_TRUE(host.open());
    expectMatchesGolden(panelPicture(host), "panel-default");
}

TEST(PanelGolden, UltraWithEveryKnobAtAnEndOrTheMiddleAndTheCabinetBypassed)
{
    PanelHost host;
    ASSERT_TRUE(host.open());
    const float values[] = {1.0f, 0.0f, 0.5f, 1.0f, 0.0f, 0.5f, 1.0f, 0.0f};
    for (int32_t parameter = kMaster; parameter <= kInputGain; ++parameter)
        host.setParameter(parameter, values[parameter]);
    host.setParameter(kBypassCabinet, 1.0f);
    host.setParameter(kChannel, 1.0f);
    expectMatchesGolden(panelPicture(host), "panel-ultra-bypassed");
}
