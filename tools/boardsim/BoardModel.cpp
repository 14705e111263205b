#include "boardsim/BoardModel.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace boardsim {
namespace {

constexpr uint8_t kProbe = 0x80;
constexpr uint8_t kProbeReply = 0x81;
constexpr uint8_t kDisplayFrame = 0xE0;
constexpr uint8_t kDeviceNumberFrame = 0xE1;
constexpr uint8_t kCountQueryFrame = 0xE3;
constexpr uint8_t kBuzzerOn = 0xF3;
constexpr uint8_t kBuzzerOff = 0xF4;
constexpr uint8_t kDisable = 0xFD;
constexpr uint8_t kResetNow = 0xFF;
constexpr uint8_t kColonFlag = 0x10;

constexpr uint8_t kDigitGlyphs[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0xFF, 0x6F};

size_t FrameLength(uint8_t first) {
  switch (first) {
    case kDisplayFrame: return 6;
    case kDeviceNumberFrame: return 3;
    case kCountQueryFrame: return 2;
    default: return 0;
  }
}

char GlyphChar(uint8_t glyph) {
  for (int digit = 0; digit < 10; ++digit) {
    if (kDigitGlyphs[digit] == glyph) return static_cast<char>('0' + digit);
  }
  switch (glyph) {
    case 0x5E: return 'd';
    case 0x40: return '-';
    case 0x00: return ' ';
    default: return '?';
  }
}

}  // namespace

const char* BoardModeName(BoardMode mode) {
  switch (mode) {
    case BoardMode::Normal: return "normal";
    case BoardMode::Silent: return "silent";
    case BoardMode::Late: return "late";
    case BoardMode::Short: return "short";
    case BoardMode::Long: return "long";
    case BoardMode::WrongFirstByte: return "wrong";
  }
  return "?";
}

bool ParseBoardMode(const std::string& name, BoardMode* mode) {
  static constexpr BoardMode kAll[] = {BoardMode::Normal, BoardMode::Silent, BoardMode::Late,
                                       BoardMode::Short,  BoardMode::Long,   BoardMode::WrongFirstByte};
  for (BoardMode candidate : kAll) {
    if (name == BoardModeName(candidate)) {
      *mode = candidate;
      return true;
    }
  }
  return false;
}

const char* RecordKindName(RecordKind kind) {
  switch (kind) {
    case RecordKind::Feed: return "feed";
    case RecordKind::Probe: return "probe";
    case RecordKind::CountQuery: return "count-query";
    case RecordKind::DeviceNumber: return "device-number";
    case RecordKind::Display: return "display";
    case RecordKind::BuzzerOn: return "buzzer-on";
    case RecordKind::BuzzerOff: return "buzzer-off";
    case RecordKind::Disable: return "disable";
    case RecordKind::ResetNow: return "reset-now";
    case RecordKind::ResetPc: return "reset-pc";
    case RecordKind::Unknown: return "unknown";
    case RecordKind::Unplug: return "unplug";
    case RecordKind::PlugIn: return "plug-in";
  }
  return "?";
}

std::string HexBytes(const std::vector<uint8_t>& bytes) {
  if (bytes.empty()) return "-";
  std::string out;
  char buf[4];
  for (size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(buf, sizeof buf, i == 0 ? "%02X" : " %02X", bytes[i]);
    out += buf;
  }
  return out;
}

std::string FormatRecord(const BoardRecord& record) {
  std::string line = std::to_string(record.ms);
  line += ' ';
  line += record.overHid ? "hid-report" : RecordKindName(record.kind);
  line += ' ';
  line += HexBytes(record.bytes);
  std::string description = record.description;
  if (record.overHid) {
    description = description.empty() ? RecordKindName(record.kind)
                                      : std::string(RecordKindName(record.kind)) + ' ' + description;
  }
  if (!description.empty()) {
    line += ' ';
    line += description;
  }
  return line;
}

std::string DecodeDisplay(const uint8_t glyphs[4], uint8_t flags) {
  std::string text;
  for (int i = 0; i < 4; ++i) {
    if (i == 2 && (flags & kColonFlag)) text += ':';
    text += GlyphChar(glyphs[i]);
  }
  return text;
}

BoardModel::BoardModel(BoardOptions options, int64_t powerOnMs)
    : options_(options), clockMs_(powerOnMs) {
  PowerUp(powerOnMs);
}

void BoardModel::PowerUp(int64_t nowMs) {
  frame_.clear();
  frameLength_ = 0;
  reply_.clear();
  disabled_ = false;
  buzzerOn_ = false;
  displayText_.clear();
  displayFrame_.clear();
  lastFeedMs_.reset();
  timeoutMs_ = static_cast<int64_t>(options_.powerOnTimeoutSeconds) * 1000;
  counting_ = timeoutMs_ > 0;
  deadlineMs_ = nowMs + timeoutMs_;
}

int64_t BoardModel::Clamp(int64_t nowMs) {
  clockMs_ = std::max(clockMs_, nowMs);
  return clockMs_;
}

void BoardModel::Add(BoardRecord record) { records_.push_back(std::move(record)); }

void BoardModel::CountReset() {
  if (options_.countResets && options_.resetCount < 255) ++options_.resetCount;
}

void BoardModel::AdvanceTo(int64_t nowMs) {
  nowMs = Clamp(nowMs);
  if (!plugged_) return;
  while (counting_ && deadlineMs_ <= nowMs) {
    BoardRecord record;
    record.ms = deadlineMs_;
    record.kind = RecordKind::ResetPc;
    record.description = "timeout " + std::to_string(timeoutMs_ / 1000) + "s ran out";
    Add(std::move(record));
    CountReset();
    deadlineMs_ += timeoutMs_;
  }
}

std::optional<int64_t> BoardModel::resetDueMs() const {
  if (!plugged_ || !counting_) return std::nullopt;
  return deadlineMs_;
}

void BoardModel::ReceiveSerial(const uint8_t* data, size_t len, int64_t nowMs) {
  AdvanceTo(nowMs);
  nowMs = clockMs_;
  if (!plugged_) {
    lostBytes_ += len;
    return;
  }
  for (size_t i = 0; i < len; ++i) HandleByte(data[i], nowMs);
}

void BoardModel::HandleByte(uint8_t byte, int64_t nowMs) {
  if (frameLength_ > 0) {
    frame_.push_back(byte);
    if (frame_.size() == frameLength_) {
      HandleFrame(nowMs);
      frame_.clear();
      frameLength_ = 0;
    }
    return;
  }
  size_t length = FrameLength(byte);
  if (length > 0) {
    frame_.assign(1, byte);
    frameLength_ = length;
    return;
  }
  Add(HandleCommand(byte, nowMs, false));
}

void BoardModel::HandleFrame(int64_t nowMs) {
  BoardRecord record;
  record.ms = nowMs;
  record.bytes = frame_;
  switch (frame_[0]) {
    case kCountQueryFrame: {
      record.kind = RecordKind::CountQuery;
      std::vector<uint8_t> reply = {0x00, options_.resetCount};
      if (options_.mode == BoardMode::Short) reply.resize(1);
      record.description = QueueReply(std::move(reply), nowMs);
      break;
    }
    case kDeviceNumberFrame:
      record.kind = RecordKind::DeviceNumber;
      deviceNumber_ = static_cast<uint16_t>(frame_[1] << 8 | frame_[2]);
      record.description = std::to_string(deviceNumber_);
      break;
    case kDisplayFrame: {
      record.kind = RecordKind::Display;
      displayFrame_ = frame_;
      displayText_ = DecodeDisplay(&frame_[1], frame_[5]);
      if (frame_[5] & kColonFlag) {
        record.description = "time " + displayText_;
      } else if (frame_[1] == 0x5E && frame_[2] == 0x40) {
        record.description = "count " + displayText_;
      } else {
        char flags[8];
        std::snprintf(flags, sizeof flags, "%02X", frame_[5]);
        record.description = "show \"" + displayText_ + "\" flags=" + flags;
      }
      break;
    }
  }
  Add(std::move(record));
}

BoardRecord BoardModel::HandleCommand(uint8_t byte, int64_t nowMs, bool overHid) {
  BoardRecord record;
  record.ms = nowMs;
  record.overHid = overHid;
  record.bytes.assign(1, byte);
  if (byte >= 1 && byte <= 127) {
    record.kind = RecordKind::Feed;
    record.description = "timeout=" + std::to_string(byte * 10) + "s";
    Feed(byte, nowMs);
    return record;
  }
  switch (byte) {
    case kProbe: {
      record.kind = RecordKind::Probe;
      if (overHid) {
        record.description = "no reply over HID";
        break;
      }
      auto hi = static_cast<uint8_t>(options_.version >> 8);
      auto lo = static_cast<uint8_t>(options_.version & 0xFF);
      std::vector<uint8_t> reply = {kProbeReply, hi, lo};
      if (options_.mode == BoardMode::Short) reply.resize(2);
      if (options_.mode == BoardMode::WrongFirstByte) reply[0] = kWrongProbeFirstByte;
      record.description = QueueReply(std::move(reply), nowMs);
      break;
    }
    case kBuzzerOn:
      record.kind = RecordKind::BuzzerOn;
      buzzerOn_ = true;
      break;
    case kBuzzerOff:
      record.kind = RecordKind::BuzzerOff;
      buzzerOn_ = false;
      break;
    case kDisable:
      record.kind = RecordKind::Disable;
      disabled_ = true;
      counting_ = false;
      break;
    case kResetNow:
      record.kind = RecordKind::ResetNow;
      CountReset();
      // The count starts again from the pulse, as after a timeout.
      if (counting_) deadlineMs_ = nowMs + timeoutMs_;
      break;
    default:
      record.kind = RecordKind::Unknown;
      if (overHid && FrameLength(byte) > 0) record.description = "frame byte over HID";
      break;
  }
  return record;
}

void BoardModel::Feed(uint8_t tensOfSeconds, int64_t nowMs) {
  timeoutMs_ = static_cast<int64_t>(tensOfSeconds) * 10000;
  deadlineMs_ = nowMs + timeoutMs_;
  counting_ = true;
  disabled_ = false;
  lastFeedMs_ = nowMs;
}

std::string BoardModel::QueueReply(std::vector<uint8_t> reply, int64_t nowMs) {
  if (options_.mode == BoardMode::Silent) return "no reply (silent)";
  if (options_.mode == BoardMode::Long && reply.size() < kLongReplyLength) {
    reply.resize(kLongReplyLength, 0x00);
  }
  int64_t readyMs = nowMs;
  if (options_.mode == BoardMode::Late) readyMs += options_.lateMs;
  for (uint8_t value : reply) reply_.push_back({readyMs, value});
  std::string description = "reply=" + HexBytes(reply);
  if (readyMs > nowMs) description += " after " + std::to_string(readyMs - nowMs) + "ms";
  return description;
}

void BoardModel::ReceiveHidReport(const uint8_t* report, size_t len, int64_t nowMs) {
  AdvanceTo(nowMs);
  nowMs = clockMs_;
  if (!plugged_) {
    lostBytes_ += len;
    return;
  }
  std::vector<uint8_t> bytes(report, report + len);
  BoardRecord record;
  if (len < 2) {
    record.ms = nowMs;
    record.overHid = true;
    record.kind = RecordKind::Unknown;
    record.description = "report too short";
  } else if (report[0] != 0) {
    record.ms = nowMs;
    record.overHid = true;
    record.kind = RecordKind::Unknown;
    record.description = "report id " + std::to_string(report[0]);
  } else {
    record = HandleCommand(report[1], nowMs, true);
  }
  record.bytes = std::move(bytes);
  Add(std::move(record));
}

size_t BoardModel::ReadableReply(int64_t nowMs) const {
  if (!plugged_) return 0;
  size_t count = 0;
  while (count < reply_.size() && reply_[count].readyMs <= nowMs) ++count;
  return count;
}

std::vector<uint8_t> BoardModel::TakeReply(int64_t nowMs, size_t max) {
  size_t count = std::min(ReadableReply(nowMs), max);
  std::vector<uint8_t> out;
  out.reserve(count);
  for (size_t i = 0; i < count; ++i) out.push_back(reply_[i].value);
  reply_.erase(reply_.begin(), reply_.begin() + static_cast<std::ptrdiff_t>(count));
  return out;
}

std::optional<int64_t> BoardModel::NextReplyAt(int64_t nowMs) const {
  if (!plugged_) return std::nullopt;
  size_t readable = ReadableReply(nowMs);
  if (readable == reply_.size()) return std::nullopt;
  return reply_[readable].readyMs;
}

void BoardModel::Unplug(int64_t nowMs) {
  AdvanceTo(nowMs);
  if (!plugged_) return;
  plugged_ = false;
  frame_.clear();
  frameLength_ = 0;
  reply_.clear();
  counting_ = false;
  BoardRecord record;
  record.ms = clockMs_;
  record.kind = RecordKind::Unplug;
  Add(std::move(record));
}

void BoardModel::PlugIn(int64_t nowMs) {
  nowMs = Clamp(nowMs);
  if (plugged_) return;
  plugged_ = true;
  PowerUp(nowMs);
  BoardRecord record;
  record.ms = nowMs;
  record.kind = RecordKind::PlugIn;
  Add(std::move(record));
}

void BoardModel::SetMode(BoardMode mode, int64_t lateMs) {
  options_.mode = mode;
  options_.lateMs = lateMs;
}

size_t BoardModel::Count(RecordKind kind) const {
  return static_cast<size_t>(std::count_if(records_.begin(), records_.end(),
                                           [kind](const BoardRecord& r) { return r.kind == kind; }));
}

}  // namespace boardsim
