// The run log: one timestamped line per event, on screen (control 1029) and
// appended to RunLog.txt in the working directory.
#pragma once

#include <cstddef>
#include <string>

#include "platform/Clock.h"
#include "platform/DialogPort.h"

namespace torvik {

constexpr const char* kRunLogFile = "RunLog.txt";
constexpr std::size_t kLogScreenLimit = 10240;  // bytes kept on screen
constexpr std::size_t kLogLineLimit = 511;      // bytes of one line, leading CR LF included

class RunLog {
public:
    RunLog(DialogPort& dialog, Clock& clock) : dialog_(dialog), clock_(clock) {}

    // Formats the message as a line, shows it and appends it to the file; the
    // line is on the disk when this returns.
    void AppendLog(const std::string& message);
    // Creates RunLog.txt with its header line when it does not exist.
    static void EnsureRunLog();
    // The Clear button: empties the on-screen log; the file keeps everything.
    void Clear();

    const std::string& buffer() const { return logBuffer_; }

private:
    DialogPort& dialog_;
    Clock& clock_;
    std::string logBuffer_;
    bool firstLineWritten_ = false;
};

// One line of the log. A message too long for the line limit is cut at a
// character boundary.
std::string FormatLogLine(const LocalTime& time, const std::string& message, bool firstOfRun);

}  // namespace torvik
