#include "tests/lv2/LilvHost.h"

#include "lv2/PortLayout.h"

#include <lv2/atom/atom.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

LilvBundle::LilvBundle(const std::string& bundleDirectory)
    : world_(lilv_world_new())
    , map_{this, &LilvBundle::mapUri}
{
    LilvNode* bundle = lilv_new_file_uri(world_, nullptr, (bundleDirectory + "/").c_str());
    lilv_world_load_bundle(world_, bundle);
    lilv_node_free(bundle);
    LilvNode* uri = lilv_new_uri(world_, kPluginUri);
    plugin_ = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world_), uri);
    lilv_node_free(uri);
    if (plugin_) {
        // The presets are other resources of the bundle: their ports need loading.
        LilvNodes* presets = lilv_plugin_get_related(plugin_, nullptr);
        LILV_FOREACH(nodes, i, presets)
        lilv_world_load_resource(world_, lilv_nodes_get(presets, i));
        lilv_nodes_free(presets);
    }
}

LilvBundle::~LilvBundle()
{
    lilv_world_free(world_);
}

uint32_t LilvBundle::urid(const char* uri)
{
    const auto found = std::find(uris_.begin(), uris_.end(), uri);
    if (found != uris_.end())
        return static_cast<uint32_t>(found - uris_.begin()) + 1;
    uris_.emplace_back(uri);
    return static_cast<uint32_t>(uris_.size());
}

uint32_t LilvBundle::mapUri(void* handle, const char* uri)
{
    return static_cast<LilvBundle*>(handle)->urid(uri);
}

std::string LilvBundle::presetUri(const std::string& label) const
{
    std::string found;
    LilvNodes* presets = lilv_plugin_get_related(plugin_, nullptr);
    LilvNode* labelPredicate = lilv_new_uri(world_, LILV_NS_RDFS "label");
    LILV_FOREACH(nodes, i, presets)
    {
        const LilvNode* preset = lilv_nodes_get(presets, i);
        LilvNode* name = lilv_world_get(world_, preset, labelPredicate, nullptr);
        if (name && label == lilv_node_as_string(name))
            found = lilv_node_as_uri(preset);
        lilv_node_free(name);
    }
    lilv_node_free(labelPredicate);
    lilv_nodes_free(presets);
    return found;
}

LilvAmp::LilvAmp(LilvBundle& bundle, double sampleRate)
    : bundle_(bundle)
    , instance_(bundle.plugin() ? lilv_plugin_instantiate(bundle.plugin(), sampleRate, nullptr) : nullptr)
    , controls_(bundle.plugin() ? lilv_plugin_get_num_ports(bundle.plugin()) : 0, 0.0f)
{
    if (!instance_)
        return;
    std::vector<float> minimum(controls_.size()), maximum(controls_.size());
    lilv_plugin_get_port_ranges_float(bundle.plugin(), minimum.data(), maximum.data(), controls_.data());
    for (uint32_t port = kFirstControlPort; port < controls_.size(); ++port)
        lilv_instance_connect_port(instance_, port, &controls_[port]);
}

LilvAmp::~LilvAmp()
{
    if (instance_)
        lilv_instance_free(instance_);
}

uint32_t LilvAmp::indexOf(const char* symbol) const
{
    LilvNode* name = lilv_new_string(bundle_.world(), symbol);
    const LilvPort* port = lilv_plugin_get_port_by_symbol(bundle_.plugin(), name);
    lilv_node_free(name);
    if (!port)
        throw std::invalid_argument(std::string("no port ") + symbol);
    return lilv_port_get_index(bundle_.plugin(), port);
}

void LilvAmp::setPort(const char* symbol, float value)
{
    controls_[indexOf(symbol)] = value;
}

float LilvAmp::port(const char* symbol) const
{
    return controls_[indexOf(symbol)];
}

void LilvAmp::setPresetValue(const char* symbol, void* self, const void* value, uint32_t size, uint32_t type)
{
    auto* amp = static_cast<LilvAmp*>(self);
    LilvBundle& bundle = amp->bundle_;
    if (type == bundle.urid(LV2_ATOM__Float) && size == sizeof(float))
        amp->setPort(symbol, *static_cast<const float*>(value));
    else if (type == bundle.urid(LV2_ATOM__Double) && size == sizeof(double))
        amp->setPort(symbol, static_cast<float>(*static_cast<const double*>(value)));
    else if (type == bundle.urid(LV2_ATOM__Int) && size == sizeof(int32_t))
        amp->setPort(symbol, static_cast<float>(*static_cast<const int32_t*>(value)));
}

bool LilvAmp::applyPreset(const std::string& label)
{
    const std::string uri = bundle_.presetUri(label);
    if (uri.empty())
        return false;
    LilvNode* node = lilv_new_uri(bundle_.world(), uri.c_str());
    LilvState* state = lilv_state_new_from_world(bundle_.world(), bundle_.map(), node);
    lilv_node_free(node);
    if (!state)
        return false;
    lilv_state_restore(state, instance_, &LilvAmp::setPresetValue, this, 0, nullptr);
    lilv_state_free(state);
    return true;
}

void LilvAmp::run(const float* input, float* output0, float* output1, uint32_t frames)
{
    lilv_instance_connect_port(instance_, kAudioInputPort, const_cast<float*>(input));
    lilv_instance_connect_port(instance_, kAudioOutputPorts[0], output0);
    lilv_instance_connect_port(instance_, kAudioOutputPorts[1], output1);
    lilv_instance_run(instance_, frames);
}

std::vector<float> LilvAmp::render(const std::vector<float>& input, uint32_t blockSize)
{
    std::vector<float> output(input.size()), second(blockSize);
    for (size_t done = 0; done < input.size(); done += blockSize) {
        const auto frames = static_cast<uint32_t>(std::min<size_t>(blockSize, input.size() - done));
        run(input.data() + done, output.data() + done, second.data(), frames);
        if (!std::equal(
                second.begin(), second.begin() + frames, output.begin() + static_cast<std::ptrdiff_t>(done)))
            throw std::logic_error("the two outputs differ");
    }
    return output;
}
