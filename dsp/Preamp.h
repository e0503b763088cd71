// The tube preamp at the 4x rate: three TriodeStages in series, with negative feedback around
// the third. Half of a 500 Hz low-pass of stage 3's output is subtracted from stage 3's input
// on the next sample. Stage settings and gains are the engine's (per channel and drive).
#pragma once

#include "OnePoleFilter.h"
#include "TriodeStage.h"

struct Preamp {
    static constexpr int kStages = 3;
    static constexpr float kFeedbackCutoffHz = 500.0f;
    static constexpr float kFeedbackScale = 0.5f;

    struct Coefficients {
        // fs is the 4x rate; sets the feedback low-pass only.
        void configureFeedback(float fs) { feedbackFilter.setCutoff(kFeedbackCutoffHz, fs); }

        TriodeStage::Coefficients stages[kStages];
        OnePoleFilter::Coefficients feedbackFilter;  // low-pass of stage 3's output
    };

    struct State {
        TriodeStage::State stages[kStages];
        OnePoleFilter::State feedbackFilter;
        float feedbackValue = 0.0f;  // subtracted before stage 3

        // Non-finite once a state holds an infinity or a NaN.
        float sum() const
        {
            float total = feedbackFilter.sum() + feedbackValue;
            for (const TriodeStage::State& stage : stages)
                total += stage.sum();
            return total;
        }
    };

    // One 4x sample; the feedback term read here is the one left by the previous sample.
    static float process(const Coefficients& c, State& s, float x)
    {
        float y = TriodeStage::process(c.stages[0], s.stages[0], x);
        y = TriodeStage::process(c.stages[1], s.stages[1], y);
        y = TriodeStage::process(c.stages[2], s.stages[2], y - s.feedbackValue);
        s.feedbackValue = kFeedbackScale * OnePoleFilter::lowPass(c.feedbackFilter, s.feedbackFilter, y);
        return y;
    }
};
