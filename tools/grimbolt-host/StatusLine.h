// The live run's line in the terminal: redrawn in place about ten times a second, and only
// when standard output is a terminal, so that logs and pipes get the change lines alone. Other
// lines are printed above it.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

struct LiveStatus {
    double inputPeak = 0.0;    // amplitude, 1.0 full scale
    double outputPeak = 0.0;   // amplitude, 1.0 full scale
    double loadPercent = 0.0;  // JACK's DSP load
    uint64_t xruns = 0;
};

// An amplitude in dBFS with one decimal, six wide; "-inf" for silence.
std::string formatDbfs(double amplitude);

// "in  -12.0 dBFS  out   -3.5 dBFS  load   4.2%  xruns 0".
std::string formatStatus(const LiveStatus& status);

// The closing line: "live: 5.0 s, peak in -12.0 dBFS, peak out -3.5 dBFS, 0 xruns".
std::string formatSummary(double seconds, double inputPeak, double outputPeak, uint64_t xruns);

class StatusLine {
public:
    // Draws on out only when `terminal` says it is one.
    StatusLine(std::ostream& out, bool terminal);
    ~StatusLine();  // clears what it drew
    StatusLine(const StatusLine&) = delete;
    StatusLine& operator=(const StatusLine&) = delete;

    // Whether the standard output is a terminal.
    static bool standardOutputIsTerminal();

    // Redraws the status line in place.
    void show(const std::string& text);
    // Prints a whole line (a change, a note) above the status line, which the next show() draws again.
    void print(const std::string& line);
    // Clears the status line, so that what comes next starts on a clean line.
    void clear();

private:
    std::ostream& out_;
    bool terminal_;
    bool shown_ = false;
};
