// The tube preamp at the 4x rate: three TriodeStages in series, with negative feedback around
// the third. Half of a 500 Hz low-pass of stage 3's output is subtracted from stage 3's input
// on the next sample. Stage settings and gains are the engine's (per channel and drive).
#pragma once

#include "OnePoleFilter.h"
#include "TriodeStage.h"

class Preamp {
public:
    static constexpr int kStages = 3;
    static constexpr float kFeedbackCutoffHz = 500.0f;
    static constexpr float kFeedbackScale = 0.5f;

    // fs is the 4x rate; sets the feedback low-pass and leaves every state alone.
    void configureFeedback(float fs) { feedbackFilter.setCutoff(kFeedbackCutoffHz, fs); }

    // One 4x sample; the feedback term read here is the one left by the previous sample.
    float process(float x)
    {
        float s = stages[0].process(x);
        s = stages[1].process(s);
        s = stages[2].process(s - feedbackValue);
        feedbackValue = kFeedbackScale * feedbackFilter.processLowPass(s);
        return s;
    }

    // Non-finite once a state holds an infinity or a NaN.
    float stateSum() const
    {
        float sum = feedbackFilter.stateSum() + feedbackValue;
        for (const TriodeStage& stage : stages)
            sum += stage.stateSum();
        return sum;
    }

    // These coefficients and gains with the states of `running`.
    Preamp withStateOf(const Preamp& running) const
    {
        Preamp combined;
        for (int i = 0; i < kStages; ++i)
            combined.stages[i] = stages[i].withStateOf(running.stages[i]);
        combined.feedbackFilter = feedbackFilter.withStateOf(running.feedbackFilter);
        combined.feedbackValue = running.feedbackValue;
        return combined;
    }

    TriodeStage stages[kStages];
    OnePoleFilter feedbackFilter;  // low-pass of stage 3's output
    float feedbackValue = 0.0f;    // subtracted before stage 3
};
