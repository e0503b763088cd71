// The bundle as lilv reads it: the ports, their names, units and defaults from the parameter
// table, the presets from the program bank, the X11 UI; and the conversions between port
// values and knob positions.
#include "lv2/PortLayout.h"
#include "lv2/PortUnits.h"
#include "plugin/ParameterFormat.h"
#include "shell/ParameterTable.h"
#include "shell/ProgramBank.h"
#include "tests/lv2/LilvHost.h"

#include <gtest/gtest.h>

#include <lv2/ui/ui.h>

#include <vector>

namespace {

struct Nodes {
    explicit Nodes(LilvWorld* world)
        : audio(lilv_new_uri(world, LILV_URI_AUDIO_PORT))
        , control(lilv_new_uri(world, LILV_URI_CONTROL_PORT))
        , input(lilv_new_uri(world, LILV_URI_INPUT_PORT))
        , output(lilv_new_uri(world, LILV_URI_OUTPUT_PORT))
        , x11(lilv_new_uri(world, LV2_UI__X11UI))
    {
    }
    ~Nodes()
    {
        for (LilvNode* node : {audio, control, input, output, x11})
            lilv_node_free(node);
    }
    LilvNode *audio, *control, *input, *output, *x11;
};

}  // namespace

TEST(Lv2Bundle, ListsOneInputTwoOutputsAndTheParametersAsControls)
{
    LilvBundle bundle(GRIMBOLT_LV2_BUNDLE);
    const LilvPlugin* plugin = bundle.plugin();
    ASSERT_NE(plugin, nullptr);
    const Nodes is(bundle.world());
    EXPECT_EQ(lilv_plugin_get_num_ports_of_class(plugin, is.audio, is.input, nullptr), 1u);
    EXPECT_EQ(lilv_plugin_get_num_ports_of_class(plugin, is.audio, is.output, nullptr), 2u);
    EXPECT_EQ(lilv_plugin_get_num_ports_of_class(plugin, is.control, is.input, nullptr), 10u);
    ASSERT_EQ(lilv_plugin_get_num_ports(plugin), kNumPorts);

    std::vector<float> minimum(kNumPorts), maximum(kNumPorts), defaults(kNumPorts);
    lilv_plugin_get_port_ranges_float(plugin, minimum.data(), maximum.data(), defaults.data());
    const ProgramBank programs;
    for (int32_t p = 0; p < kNumParams; ++p) {
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, controlPortOf(p));
        LilvNode* name = lilv_port_get_name(plugin, port);
        EXPECT_STREQ(lilv_node_as_string(name), kParameterTable[p].name);
        lilv_node_free(name);
        const float programZero = kParameterTable[p].storedInPrograms() ? programs[0].values[p].load()
                                                                        : kParameterTable[p].defaultValue;
        EXPECT_EQ(normalisedFromPort(p, defaults[controlPortOf(p)]), programZero) << kParameterTable[p].name;
        EXPECT_EQ(minimum[controlPortOf(p)], portUnitOf(p).minimum);
        EXPECT_EQ(maximum[controlPortOf(p)], portUnitOf(p).maximum);
    }
    const LilvPort* channel = lilv_plugin_get_port_by_index(plugin, controlPortOf(kChannel));
    LilvScalePoints* points = lilv_port_get_scale_points(plugin, channel);
    EXPECT_EQ(lilv_scale_points_size(points), 3u);
    lilv_scale_points_free(points);
}

TEST(Lv2Bundle, OffersTheFactoryProgramsAsPresetsAndAnX11Ui)
{
    LilvBundle bundle(GRIMBOLT_LV2_BUNDLE);
    ASSERT_NE(bundle.plugin(), nullptr);
    const ProgramBank programs;
    for (int32_t program = 0; program < kNumFactoryPrograms; ++program)
        EXPECT_FALSE(bundle.presetUri(programs[program].name).empty()) << programs[program].name;
    EXPECT_TRUE(bundle.presetUri(programs[kNumFactoryPrograms].name).empty()) << "user slots are no presets";

    LilvUIs* uis = lilv_plugin_get_uis(bundle.plugin());
    ASSERT_EQ(lilv_uis_size(uis), 1u);
    const LilvUI* ui = lilv_uis_get(uis, lilv_uis_begin(uis));
    const Nodes is(bundle.world());
    EXPECT_STREQ(lilv_node_as_uri(lilv_ui_get_uri(ui)), kUiUri);
    EXPECT_TRUE(lilv_ui_is_a(ui, is.x11));
    lilv_uis_free(uis);
}

struct Conversion {
    int32_t parameter;
    float port;
    float knob;
};

TEST(PortUnits, PortValuesStandForTheKnobPositionsTheDisplayShows)
{
    const Conversion conversions[] = {
        {kMaster, kMasterFloorDb, 0.0f},
        {kMaster, -200.0f, 0.0f},
        {kMaster, 0.0f, 1.0f},
        {kMaster, 12.0f, 1.0f},  // above the range: held to it
        {kDrive, 10.0f, 1.0f},
        {kDrive, 2.5f, 0.25f},
        {kDrive, -3.0f, 0.0f},
        {kVoicing, 10.0f, 1.0f},
        {kInputGain, -12.0f, 0.0f},
        {kInputGain, 0.0f, 0.5f},
        {kInputGain, 12.0f, 1.0f},
        {kChannel, 1.4f, 0.5f},
        {kChannel, 2.0f, 1.0f},
        {kChannel, 7.0f, 1.0f},
        {kBypassCabinet, 0.7f, 1.0f},
        {kBypassCabinet, 0.2f, 0.0f},
    };
    for (const Conversion& c : conversions)
        EXPECT_EQ(normalisedFromPort(c.parameter, c.port), c.knob)
            << kParameterTable[c.parameter].name << " at " << c.port;
}

TEST(PortUnits, EveryKnobPositionOfTheFactoryProgramsComesBackExactly)
{
    const ProgramBank programs;
    for (int32_t program = 0; program < kNumFactoryPrograms; ++program)
        for (int32_t p = 0; p < kNumParams; ++p) {
            const float knob = programs[program].values[p];
            const float back = normalisedFromPort(p, portFromNormalised(p, knob));
            // The channel comes back as its third's own value.
            const float expected = p == kChannel ? static_cast<float>(channelFromValue(knob)) * 0.5f : knob;
            EXPECT_EQ(back, expected) << programs[program].name << ", " << kParameterTable[p].name;
        }
}
