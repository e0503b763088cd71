// Reaches into an engine as only tests may: the chain's running states, and the design its
// blocks run on with the values it was made from.
#pragma once

#include "engine/AmpEngine.h"

#include <cstring>

class AmpEngineTestAccess {
public:
    static AmpChain& chain(AmpEngine& engine) { return engine.chain_; }
    static const AmpChain& chain(const AmpEngine& engine) { return engine.chain_; }

    // The design the last block ran on.
    static const AmpSettings& designInUse(const AmpEngine& engine) { return engine.design_; }

    // Whether the design the last block ran on is the whole design of one set of values, the
    // set it was made from, and not parts of several. By the thread that runs the blocks.
    static bool designInUseIsWhole(const AmpEngine& engine)
    {
        return sameDesign(engine.design_, designAmp(engine.designedFrom_, engine.sampleRate()));
    }

    // Coefficient for coefficient, bit for bit.
    static bool sameDesign(const AmpSettings& a, const AmpSettings& b)
    {
        bool same = sameBits(a.master, b.master) && sameBits(a.inputGain, b.inputGain)
            && a.cabinetActive == b.cabinetActive && sameBits(a.channelFilter, b.channelFilter)
            && sameBits(a.preamp.feedbackFilter, b.preamp.feedbackFilter)
            && sameBits(a.toneStack, b.toneStack);
        for (int i = 0; i < Preamp::kStages; ++i) {
            const TriodeStage::Coefficients &x = a.preamp.stages[i], &y = b.preamp.stages[i];
            same = same && sameBits(x.gain, y.gain) && sameBits(x.biasScale, y.biasScale)
                && sameBits(x.plateScale, y.plateScale) && sameBits(x.plateFilter, y.plateFilter)
                && sameBits(x.couplingFilter, y.couplingFilter) && sameBits(x.inputFilter, y.inputFilter);
        }
        const PowerAmp::Coefficients &p = a.powerAmp, &q = b.powerAmp;
        return same && sameBits(p.presence, q.presence) && sameBits(p.lowBoost, q.lowBoost)
            && sameBits(p.resonanceFilterA, q.resonanceFilterA)
            && sameBits(p.resonanceFilterB, q.resonanceFilterB) && sameBits(p.voicingFilter, q.voicingFilter)
            && sameBits(p.brightFilter, q.brightFilter) && sameBits(p.sagFilter, q.sagFilter)
            && sameBits(p.toneFilter, q.toneFilter) && sameBits(p.couplingFilter, q.couplingFilter)
            && sameBits(p.outputFilter, q.outputFilter);
    }

private:
    // For records of one floating type only, which hold no padding.
    template <class Record> static bool sameBits(const Record& a, const Record& b)
    {
        return std::memcmp(&a, &b, sizeof a) == 0;
    }
};
