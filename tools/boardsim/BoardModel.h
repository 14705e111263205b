// A virtual watchdog board: the board's side of the command protocol, driven on explicit
// millisecond timestamps so that native tests can run it on virtual time and the
// pseudo-terminal tool on the wall clock.
//
// The board takes a byte stream over serial (single-byte commands and frames assembled by
// their first byte) or one-command HID output reports, answers the probe and the reset-count
// query, keeps its display, device number and buzzer state, and counts the watchdog timeout
// down from the last feed. When the count runs out it pulses the PC's reset line (recorded as
// a "reset-pc" event) and starts the same count again.
//
// Timestamps passed in should not go backwards; an earlier time than one already seen is
// treated as the latest time seen.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace boardsim {

// How the board answers the probe and the reset-count query.
enum class BoardMode {
  Normal,          // probe: 81 hi lo; count query: 00 count
  Silent,          // never replies
  Late,            // normal replies, readable only lateMs after the request
  Short,           // probe: 81 hi; count query: 00
  Long,            // replies padded with zero bytes to kLongReplyLength bytes
  WrongFirstByte,  // probe reply starts with kWrongProbeFirstByte instead of 0x81
};

// "normal", "silent", "late", "short", "long", "wrong".
const char* BoardModeName(BoardMode mode);
// Accepts the names above; false for anything else (mode left unchanged).
bool ParseBoardMode(const std::string& name, BoardMode* mode);

constexpr size_t kLongReplyLength = 10;
constexpr uint8_t kWrongProbeFirstByte = 0x82;

struct BoardOptions {
  uint16_t version = 900;          // firmware version code, sent as high byte, low byte
  uint8_t resetCount = 0;          // count reported by the reset-count query
  bool countResets = false;        // when true, every reset of the PC adds one (up to 255)
  int powerOnTimeoutSeconds = 0;   // countdown at power-on before any feed; 0 = none
  BoardMode mode = BoardMode::Normal;
  int64_t lateMs = 300;            // delay of replies in BoardMode::Late
};

enum class RecordKind {
  Feed,          // 1..127
  Probe,         // 0x80
  CountQuery,    // 0xE3 frame
  DeviceNumber,  // 0xE1 frame
  Display,       // 0xE0 frame
  BuzzerOn,      // 0xF3
  BuzzerOff,     // 0xF4
  Disable,       // 0xFD
  ResetNow,      // 0xFF
  ResetPc,       // the countdown ran out and the board pulsed the reset line
  Unknown,       // any other byte, or a HID report the board cannot use
  Unplug,        // USB cable pulled
  PlugIn,        // USB cable put back (the board powers up again)
};

// "feed", "probe", "count-query", "device-number", "display", "buzzer-on", "buzzer-off",
// "disable", "reset-now", "reset-pc", "unknown", "unplug", "plug-in".
const char* RecordKindName(RecordKind kind);

struct BoardRecord {
  int64_t ms = 0;              // when it happened (for a frame: when its last byte arrived)
  RecordKind kind = RecordKind::Unknown;
  bool overHid = false;        // came in as a HID output report
  std::vector<uint8_t> bytes;  // the bytes received (the whole report for HID); empty for events
  std::string description;     // human-readable detail, may be empty
};

// Upper-case hexadecimal bytes separated by single spaces ("E0 3F 6F"), "-" when empty.
std::string HexBytes(const std::vector<uint8_t>& bytes);

// One line, no line end: "<ms> <kind> <hex bytes> <description>", e.g.
//   12034 feed 12 timeout=180s
//   17000 reset-pc - timeout 180s ran out
//   17500 reset-now FF
// A HID record has the kind "hid-report", the whole report as its bytes, and the command's
// kind in front of its description:
//   12034 hid-report 00 12 00 00 00 00 00 00 00 feed timeout=180s
// With an empty description the line ends after the bytes.
std::string FormatRecord(const BoardRecord& record);

// Text of a 0xE0 display frame's four glyphs: a digit for each glyph of the digit font,
// 'd' for 0x5E, '-' for 0x40, ' ' for 0x00, '?' for anything else; with bit 0x10 of the
// flag byte a colon between the second and third character ("09:05", "d-06").
std::string DecodeDisplay(const uint8_t glyphs[4], uint8_t flags);

class BoardModel {
 public:
  // The board is plugged in and powers up at powerOnMs.
  explicit BoardModel(BoardOptions options = BoardOptions(), int64_t powerOnMs = 0);

  // Bytes written by the host to the serial port. Lost while unplugged.
  void ReceiveSerial(const uint8_t* data, size_t len, int64_t nowMs);
  // One HID output report: byte 0 the report id (0), byte 1 the command byte, the rest zero.
  // Only single-byte commands travel this way; frame bytes are recorded as unknown and
  // nothing is ever answered over HID. Lost while unplugged.
  void ReceiveHidReport(const uint8_t* report, size_t len, int64_t nowMs);

  // Reply bytes the host can read at nowMs (0 while unplugged).
  size_t ReadableReply(int64_t nowMs) const;
  // Takes up to max of those bytes, oldest first.
  std::vector<uint8_t> TakeReply(int64_t nowMs, size_t max);
  // When the next reply byte not yet readable becomes readable; empty if none is waiting.
  std::optional<int64_t> NextReplyAt(int64_t nowMs) const;

  // Runs the watchdog countdown up to nowMs, recording every reset that fell due (each at the
  // time it fell due). Every Receive call does this first.
  void AdvanceTo(int64_t nowMs);

  // Pulls the cable: the board loses power, its countdown stops, any half-received frame and
  // unread reply are dropped, and everything written until PlugIn is lost.
  void Unplug(int64_t nowMs);
  // Puts the cable back: the board powers up again (watchdog enabled, buzzer off, display
  // blank, countdown as at power-on). The device number and reset count are kept.
  void PlugIn(int64_t nowMs);
  bool plugged() const { return plugged_; }

  // Behaviour can be switched while running (a board that stops answering, say).
  void SetMode(BoardMode mode, int64_t lateMs);
  const BoardOptions& options() const { return options_; }

  // Board state.
  const std::string& displayText() const { return displayText_; }    // "" until a frame came
  const std::vector<uint8_t>& displayFrame() const { return displayFrame_; }  // last 0xE0 frame
  uint16_t deviceNumber() const { return deviceNumber_; }             // 0 until set
  bool buzzerOn() const { return buzzerOn_; }
  bool disabled() const { return disabled_; }                          // by 0xFD, until fed
  int timeoutSeconds() const { return static_cast<int>(timeoutMs_ / 1000); }  // 0 = none yet
  std::optional<int64_t> lastFeedMs() const { return lastFeedMs_; }
  std::optional<int64_t> resetDueMs() const;                           // empty when not counting
  uint8_t resetCount() const { return options_.resetCount; }          // as the query reports it
  size_t lostBytes() const { return lostBytes_; }                      // written while unplugged

  // Everything received and every event, in order.
  const std::vector<BoardRecord>& records() const { return records_; }
  size_t Count(RecordKind kind) const;
  // For a long-running holder that has consumed the records so far.
  void ClearRecords() { records_.clear(); }

 private:
  struct PendingByte {
    int64_t readyMs;
    uint8_t value;
  };

  void PowerUp(int64_t nowMs);
  void HandleByte(uint8_t byte, int64_t nowMs);
  void HandleFrame(int64_t nowMs);
  // A single-byte command; returns its record (not yet stored).
  BoardRecord HandleCommand(uint8_t byte, int64_t nowMs, bool overHid);
  std::string QueueReply(std::vector<uint8_t> reply, int64_t nowMs);
  void Feed(uint8_t tensOfSeconds, int64_t nowMs);
  void CountReset();
  void Add(BoardRecord record);
  int64_t Clamp(int64_t nowMs);

  BoardOptions options_;
  bool plugged_ = true;
  int64_t clockMs_ = 0;

  std::vector<uint8_t> frame_;  // frame being assembled; empty when none
  size_t frameLength_ = 0;

  std::vector<PendingByte> reply_;

  bool counting_ = false;
  int64_t timeoutMs_ = 0;
  int64_t deadlineMs_ = 0;
  std::optional<int64_t> lastFeedMs_;
  bool disabled_ = false;

  std::string displayText_;
  std::vector<uint8_t> displayFrame_;
  uint16_t deviceNumber_ = 0;
  bool buzzerOn_ = false;

  size_t lostBytes_ = 0;
  std::vector<BoardRecord> records_;
};

}  // namespace boardsim
