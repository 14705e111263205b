#include "storage/RunLog.h"

#include <cstdio>

#include "app/GbkText.h"
#include "storage/DurableFile.h"
#include "ui/ControlIds.h"

namespace torvik {

std::string FormatLogLine(const LocalTime& t, const std::string& message, bool firstOfRun) {
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%s[ %4d-%02d-%02d %02d:%02d:%02d ] : ", firstOfRun ? "\r\n" : "", t.year,
                  t.month, t.day, t.hour, t.minute, t.second);
    const std::string head = stamp;
    const std::size_t room = kLogLineLimit - head.size() - 2;
    return head + CutAtCharBoundary(message, room) + "\r\n";
}

void RunLog::AppendLog(const std::string& message) {
    const LocalTime now = clock_.Now();
    const bool first = !firstLineWritten_;
    firstLineWritten_ = true;
    const std::string line = FormatLogLine(now, message, first);
    logBuffer_ += line;
    if (logBuffer_.size() > kLogScreenLimit) logBuffer_.clear();
    dialog_.SetItemText(ctl::kLog, logBuffer_);
    AppendDurably(kRunLogFile, line);
}

void RunLog::EnsureRunLog() {
    if (!FileExists(kRunLogFile)) AppendDurably(kRunLogFile, "Great RunLog File!\r\n");
}

void RunLog::Clear() {
    logBuffer_.clear();
    dialog_.SetItemText(ctl::kLog, logBuffer_);
}

}  // namespace torvik
