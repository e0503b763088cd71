// A one-line progress bar on stderr, drawn only when stderr is a terminal so that logs and
// pipes stay clean.
#pragma once

class ProgressBar {
public:
    ProgressBar();
    ~ProgressBar();  // ends the line if anything was drawn
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    // fraction from 0 to 1; redraws only when the shown percentage changes
    void update(double fraction);

private:
    bool enabled_;
    int shownPercent_ = -1;
};
