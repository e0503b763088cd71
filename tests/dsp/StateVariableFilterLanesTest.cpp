#include "dsp/StateVariableFilterLanes.h"

#include "BitIdentity.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

constexpr int kAnyPasses = StateVariableFilterLanes::kAnyPasses;

StateVariableFilter configured(float fs, float frequency, float q, float gain, int mode)
{
    StateVariableFilter filter;
    filter.configure(fs, frequency, q, gain, mode);
    return filter;
}

// One step through the form for kPasses, the filter of lane 0 or 1 idle when `idle` names it.
template <int kPasses> __m128 step(StateVariableFilterLanes& lanes, __m128 x, int idle)
{
    if (idle == 1)
        return lanes.process<kPasses, 1>(x);
    if (idle == 2)
        return lanes.process<kPasses, 2>(x);
    return lanes.process<kPasses>(x);
}

using Step = __m128 (*)(StateVariableFilterLanes&, __m128, int);

Step formFor(int passes)
{
    switch (passes) {
    case 1:
        return step<1>;
    case 2:
        return step<2>;
    case 3:
        return step<3>;
    default:
        return step<kAnyPasses>;
    }
}

// Calls use() with the filters of `set` (two to four) as the initializer list the lanes take.
template <typename Filter, typename Use> auto withList(const std::vector<Filter*>& set, Use use)
{
    switch (set.size()) {
    case 2:
        return use({set[0], set[1]});
    case 3:
        return use({set[0], set[1], set[2]});
    default:
        return use({set[0], set[1], set[2], set[3]});
    }
}

// Lane `lane`'s input at sample n: tones of different speed, a loud stretch, silence.
float input(int lane, int n)
{
    const float t = static_cast<float>(n);
    if (lane % 2 == 0)
        return std::sin((0.37f + 0.2f * static_cast<float>(lane)) * t) * ((n / 300) % 3 == 1 ? 20.0f : 0.5f);
    return (n / 200) % 4 == 3 ? 0.0f
                              : std::sin(0.011f * t * static_cast<float>(lane)) + 0.3f * std::sin(1.9f * t);
}

}  // namespace

// Sets of filters that share a pass count and sets that do not (unequal passes, a silenced
// filter), band-pass beside low-pass, on inputs of their own or one shared input, stepped
// with lane 0 or 1 idle now and then. commonPasses() must name the pass count they share, and
// both the form it names and the form for any passes must give every output of a running
// filter and every state at the end of each block bit for bit as the scalar filters do.
TEST(StateVariableFilterLanes, MatchesScalarFiltersBitForBitInTheChosenAndTheGeneralForm)
{
    constexpr int kBand = StateVariableFilter::kBandPass, kLow = StateVariableFilter::kLowPass;
    struct Case {
        const char* name;
        std::vector<StateVariableFilter> filters;
        bool sharedInput;
        int commonPasses;
    };
    const Case cases[] = {
        {"two passes each",
            {configured(48000, 8485, 1.414f, 1, kBand), configured(48000, 10000, 1.414f, 1, kLow)}, false, 2},
        {"one pass each",
            {configured(96000, 8485, 1.414f, 1, kBand), configured(96000, 10000, 0.7f, 1, kLow)}, false, 1},
        {"three passes each",
            {configured(32000, 8485, 1.414f, 1, kBand), configured(32000, 10000, 3, 2, kBand)}, false, 3},
        {"three bands of one pass on one input",
            {configured(44100, 3044, 0.5f, 1, kBand), configured(44100, 269, 0.5f, 0.5f, kBand),
                configured(44100, 120, 0.5f, 0.35f, kBand)},
            true, 1},
        {"three bands of three, one and one pass on one input",
            {configured(11025, 3044, 0.5f, 1, kBand), configured(11025, 269, 0.5f, 0.5f, kBand),
                configured(11025, 120, 0.5f, 0.35f, kBand)},
            true, kAnyPasses},
        {"unequal passes",
            {configured(44100, 3000, 0.5f, 1, kBand), configured(44100, 10000, 1.414f, 1, kLow)}, false,
            kAnyPasses},
        {"first silenced",
            {configured(48000, 8485, 1.414f, 0, kBand), configured(48000, 10000, 1.414f, 1, kLow)}, false,
            kAnyPasses},
        {"four filters of four, one, five (silenced) and three passes",
            {configured(8000, 3900, 0.8f, 1, kLow), configured(8000, 200, 2, 1, kBand),
                configured(20000, 10000, 5, 0, kBand), configured(30000, 9000, 0.6f, 3, kBand)},
            false, kAnyPasses},
    };
    for (const Case& c : cases) {
        std::vector<const StateVariableFilter*> loaded;
        for (const StateVariableFilter& filter : c.filters)
            loaded.push_back(&filter);
        EXPECT_EQ(withList(loaded, StateVariableFilterLanes::commonPasses), c.commonPasses) << c.name;

        std::vector<int> forms = {kAnyPasses};
        if (c.commonPasses != kAnyPasses)
            forms.push_back(c.commonPasses);
        for (const int form : forms) {
            const std::string name
                = std::string(c.name) + (form == kAnyPasses ? ", any passes" : ", chosen form");
            std::vector<StateVariableFilter> scalar = c.filters, laned = c.filters;
            std::vector<StateVariableFilter*> lanedFilters;
            for (StateVariableFilter& filter : laned)
                lanedFilters.push_back(&filter);
            const std::vector<const StateVariableFilter*> lanedLoaded(
                lanedFilters.begin(), lanedFilters.end());
            const Step process = formFor(form);
            int n = 0;
            for (int block = 0; block < 40; ++block) {
                StateVariableFilterLanes lanes
                    = withList(lanedLoaded, [](std::initializer_list<const StateVariableFilter*> f) {
                          return StateVariableFilterLanes(f);
                      });
                for (int i = 0; i < 1 + block * 7 % 50; ++i, ++n) {
                    alignas(16) float x[4] = {};
                    for (size_t lane = 0; lane < c.filters.size(); ++lane)
                        x[lane] = input(c.sharedInput ? 0 : static_cast<int>(lane), n);
                    const int idle = n % 5 == 3 ? 1 : n % 7 == 4 ? 2 : 0;
                    alignas(16) float y[4];
                    _mm_store_ps(y, process(lanes, _mm_load_ps(x), idle));
                    for (size_t lane = 0; lane < c.filters.size(); ++lane) {
                        if (idle & (1 << lane))
                            continue;
                        ASSERT_EQ(bits(y[lane]), bits(scalar[lane].process(x[lane])))
                            << name << ", sample " << n << ", lane " << lane;
                    }
                }
                withList(lanedFilters,
                    [&lanes](std::initializer_list<StateVariableFilter*> f) { lanes.store(f); });
                for (size_t lane = 0; lane < c.filters.size(); ++lane)
                    expectSameFilter(laned[lane], scalar[lane], name + ", lane " + std::to_string(lane));
            }
        }
    }
}
