#include "tools/grimbolt-host/StatusLine.h"

#include "tools/grimbolt-host/SignalLevels.h"

#include <cstdio>
#include <unistd.h>

namespace {

// Carriage return, then erase to the end of the line.
constexpr const char* kClearLine = "\r\033[K";

}  // namespace

std::string formatDbfs(double amplitude)
{
    char text[16];
    const double level = SignalLevels::toDbfs(amplitude);
    if (level <= SignalLevels::kSilenceDbfs)
        std::snprintf(text, sizeof text, "%6s", "-inf");
    else
        std::snprintf(text, sizeof text, "%6.1f", level);
    return text;
}

std::string formatStatus(const LiveStatus& status)
{
    char load[16];
    std::snprintf(load, sizeof load, "%5.1f", status.loadPercent);
    return "in " + formatDbfs(status.inputPeak) + " dBFS  out " + formatDbfs(status.outputPeak)
        + " dBFS  load " + load + "%  xruns " + std::to_string(status.xruns);
}

std::string formatSummary(double seconds, double inputPeak, double outputPeak, uint64_t xruns)
{
    const auto trimmed = [](std::string text) { return text.substr(text.find_first_not_of(' ')); };
    char time[32];
    std::snprintf(time, sizeof time, "%.1f", seconds);
    return std::string("live: ") + time + " s, peak in " + trimmed(formatDbfs(inputPeak)) + " dBFS, peak out "
        + trimmed(formatDbfs(outputPeak)) + " dBFS, " + std::to_string(xruns)
        + (xruns == 1 ? " xrun" : " xruns");
}

StatusLine::StatusLine(std::ostream& out, bool terminal)
    : out_(out)
    , terminal_(terminal)
{
}

StatusLine::~StatusLine()
{
    clear();
}

bool StatusLine::standardOutputIsTerminal()
{
    return isatty(STDOUT_FILENO) != 0;
}

void StatusLine::show(const std::string& text)
{
    if (!terminal_)
        return;
    out_ << kClearLine << text << std::flush;
    shown_ = true;
}

void StatusLine::print(const std::string& line)
{
    clear();
    out_ << line << std::endl;
}

void StatusLine::clear()
{
    if (shown_)
        out_ << kClearLine << std::flush;
    shown_ = false;
}
