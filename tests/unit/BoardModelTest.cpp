#include "boardsim/BoardModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace boardsim {
namespace {

using Bytes = std::vector<uint8_t>;

void Write(BoardModel& board, const Bytes& bytes, int64_t nowMs) {
  board.ReceiveSerial(bytes.data(), bytes.size(), nowMs);
}

Bytes ReadAll(BoardModel& board, int64_t nowMs) { return board.TakeReply(nowMs, 64); }

std::vector<int64_t> ResetTimes(const BoardModel& board) {
  std::vector<int64_t> times;
  for (const auto& r : board.records()) {
    if (r.kind == RecordKind::ResetPc) times.push_back(r.ms);
  }
  return times;
}

TEST(BoardModelTest, ProbeRepliesWithVersionBytes) {
  struct Case {
    uint16_t version;
    Bytes reply;
  };
  const Case cases[] = {
      {900, {0x81, 0x03, 0x84}},
      {899, {0x81, 0x03, 0x83}},
      {0xABCD, {0x81, 0xAB, 0xCD}},
  };
  for (const auto& c : cases) {
    BoardOptions options;
    options.version = c.version;
    BoardModel board(options);
    Write(board, {0x80}, 100);
    EXPECT_EQ(board.ReadableReply(100), 3u) << c.version;
    EXPECT_EQ(ReadAll(board, 100), c.reply) << c.version;
    EXPECT_EQ(board.ReadableReply(100), 0u) << "a reply is read once";
    ASSERT_EQ(board.records().size(), 1u);
    EXPECT_EQ(board.records()[0].kind, RecordKind::Probe);
  }
}

TEST(BoardModelTest, CountQueryRepliesWithResetCount) {
  BoardOptions options;
  options.resetCount = 2;
  BoardModel board(options);
  Write(board, {0xE3, 0x03}, 50);
  EXPECT_EQ(ReadAll(board, 50), (Bytes{0x00, 0x02}));
  ASSERT_EQ(board.Count(RecordKind::CountQuery), 1u);
  EXPECT_EQ(FormatRecord(board.records()[0]), "50 count-query E3 03 reply=00 02");
}

TEST(BoardModelTest, TakeReplyHonoursTheLimit) {
  BoardModel board;
  Write(board, {0x80}, 0);
  EXPECT_EQ(board.TakeReply(0, 2), (Bytes{0x81, 0x03}));
  EXPECT_EQ(board.TakeReply(0, 2), (Bytes{0x84}));
}

TEST(BoardModelTest, FramesSplitAcrossWritesAreAssembled) {
  BoardModel board;
  // A display frame whose glyph bytes include 0x06 and 0x07: inside a frame they are not feeds.
  Write(board, {0xE0, 0x06}, 10);
  Write(board, {0x07}, 11);
  Write(board, {0x3F, 0x6D}, 12);
  EXPECT_TRUE(board.records().empty()) << "nothing before the frame is complete";
  Write(board, {0x10, 0xE1}, 13);
  Write(board, {0x04}, 14);
  Write(board, {0xD2, 0xE3}, 15);
  Write(board, {0x03, 0x12}, 16);

  ASSERT_EQ(board.records().size(), 4u);
  EXPECT_EQ(FormatRecord(board.records()[0]), "13 display E0 06 07 3F 6D 10 time 17:05");
  EXPECT_EQ(FormatRecord(board.records()[1]), "15 device-number E1 04 D2 1234");
  EXPECT_EQ(FormatRecord(board.records()[2]), "16 count-query E3 03 reply=00 00");
  EXPECT_EQ(FormatRecord(board.records()[3]), "16 feed 12 timeout=180s");
  EXPECT_EQ(board.displayText(), "17:05");
  EXPECT_EQ(board.deviceNumber(), 1234);
  EXPECT_EQ(board.Count(RecordKind::Feed), 1u);
}

TEST(BoardModelTest, DisplayFramesAreDecoded) {
  struct Case {
    Bytes frame;
    std::string text;
    std::string description;
  };
  const Case cases[] = {
      {{0xE0, 0x3F, 0x6F, 0x3F, 0x6D, 0x10}, "09:05", "time 09:05"},
      {{0xE0, 0x3F, 0xFF, 0x3F, 0x3F, 0x10}, "08:00", "time 08:00"},
      {{0xE0, 0x5E, 0x40, 0x3F, 0x7D, 0x00}, "d-06", "count d-06"},
      {{0xE0, 0x5E, 0x40, 0x3F, 0x3F, 0x00}, "d-00", "count d-00"},
      {{0xE0, 0x7F, 0x00, 0x06, 0x4F, 0x00}, "? 13", "show \"? 13\" flags=00"},
  };
  for (const auto& c : cases) {
    BoardModel board;
    Write(board, c.frame, 0);
    EXPECT_EQ(board.displayText(), c.text);
    EXPECT_EQ(board.displayFrame(), c.frame);
    ASSERT_EQ(board.records().size(), 1u);
    EXPECT_EQ(board.records()[0].description, c.description);
  }
}

TEST(BoardModelTest, SingleByteCommands) {
  struct Case {
    uint8_t byte;
    RecordKind kind;
    std::string line;
  };
  const Case cases[] = {
      {0x01, RecordKind::Feed, "7 feed 01 timeout=10s"},
      {0x7F, RecordKind::Feed, "7 feed 7F timeout=1270s"},
      {0xF3, RecordKind::BuzzerOn, "7 buzzer-on F3"},
      {0xF4, RecordKind::BuzzerOff, "7 buzzer-off F4"},
      {0xFD, RecordKind::Disable, "7 disable FD"},
      {0xFF, RecordKind::ResetNow, "7 reset-now FF"},
      {0x00, RecordKind::Unknown, "7 unknown 00"},
      {0x81, RecordKind::Unknown, "7 unknown 81"},
      {0xE2, RecordKind::Unknown, "7 unknown E2"},
  };
  for (const auto& c : cases) {
    BoardModel board;
    Write(board, {c.byte}, 7);
    ASSERT_EQ(board.records().size(), 1u) << int(c.byte);
    EXPECT_EQ(board.records()[0].kind, c.kind);
    EXPECT_EQ(FormatRecord(board.records()[0]), c.line);
    EXPECT_EQ(board.ReadableReply(7), 0u) << "only the probe and the query are answered";
  }
}

TEST(BoardModelTest, BuzzerFollowsTheLastCommand) {
  BoardModel board;
  EXPECT_FALSE(board.buzzerOn());
  Write(board, {0xF3}, 0);
  EXPECT_TRUE(board.buzzerOn());
  Write(board, {0xF4}, 1);
  EXPECT_FALSE(board.buzzerOn());
}

TEST(BoardModelTest, UnfedBoardResetsEveryTimeout) {
  BoardModel board;
  Write(board, {0x01}, 1000);  // 10 s
  board.AdvanceTo(10999);
  EXPECT_TRUE(ResetTimes(board).empty());
  board.AdvanceTo(11000);
  EXPECT_EQ(ResetTimes(board), (std::vector<int64_t>{11000}));
  board.AdvanceTo(35000);
  EXPECT_EQ(ResetTimes(board), (std::vector<int64_t>{11000, 21000, 31000}));
  EXPECT_EQ(FormatRecord(board.records().back()), "31000 reset-pc - timeout 10s ran out");
  EXPECT_EQ(board.resetDueMs(), 41000);
}

TEST(BoardModelTest, FeedingInTimePreventsTheReset) {
  BoardModel board;
  for (int64_t t = 0; t <= 600000; t += 1000) Write(board, {0x01}, t);
  board.AdvanceTo(609999);
  EXPECT_TRUE(ResetTimes(board).empty());
  EXPECT_EQ(board.lastFeedMs(), 600000);
  EXPECT_EQ(board.timeoutSeconds(), 10);
  board.AdvanceTo(610000);
  EXPECT_EQ(ResetTimes(board), (std::vector<int64_t>{610000}));
}

TEST(BoardModelTest, FeedArrivingAfterTheDeadlineComesTooLate) {
  BoardModel board;
  Write(board, {0x01}, 0);
  Write(board, {0x01}, 10500);  // the reset at 10 s is recorded before this feed
  ASSERT_EQ(board.records().size(), 3u);
  EXPECT_EQ(board.records()[1].kind, RecordKind::ResetPc);
  EXPECT_EQ(board.records()[1].ms, 10000);
  EXPECT_EQ(board.resetDueMs(), 20500);
}

TEST(BoardModelTest, NewFeedChangesTheTimeout) {
  BoardModel board;
  Write(board, {0x12}, 0);  // 180 s
  Write(board, {0x01}, 5000);
  board.AdvanceTo(15000);
  EXPECT_EQ(ResetTimes(board), (std::vector<int64_t>{15000}));
}

TEST(BoardModelTest, DisabledWatchdogNeverResetsUntilFedAgain) {
  BoardModel board;
  Write(board, {0x01}, 0);
  Write(board, {0xFD}, 5000);
  EXPECT_TRUE(board.disabled());
  board.AdvanceTo(3600000);
  EXPECT_TRUE(ResetTimes(board).empty());
  Write(board, {0x01}, 3600000);
  EXPECT_FALSE(board.disabled());
  board.AdvanceTo(3610000);
  EXPECT_EQ(ResetTimes(board), (std::vector<int64_t>{3610000}));
}

TEST(BoardModelTest, ResetNowRestartsTheCount) {
  BoardModel board;
  Write(board, {0x01}, 0);
  Write(board, {0xFF}, 4000);
  board.AdvanceTo(13999);
  EXPECT_TRUE(ResetTimes(board).empty());
  board.AdvanceTo(14000);
  EXPECT_EQ(ResetTimes(board), (std::vector<int64_t>{14000}));
}

TEST(BoardModelTest, CountdownBeforeFirstFeed) {
  BoardModel idle;  // by default nothing counts until the first feed
  idle.AdvanceTo(24 * 3600 * 1000LL);
  EXPECT_TRUE(ResetTimes(idle).empty());

  BoardOptions options;
  options.powerOnTimeoutSeconds = 60;
  BoardModel board(options, 500);
  board.AdvanceTo(60499);
  EXPECT_TRUE(ResetTimes(board).empty());
  board.AdvanceTo(60500);
  EXPECT_EQ(ResetTimes(board), (std::vector<int64_t>{60500}));
}

TEST(BoardModelTest, CountedResetsRaiseTheReportedCount) {
  BoardOptions options;
  options.resetCount = 1;
  options.countResets = true;
  BoardModel board(options);
  Write(board, {0x01, 0xFF}, 0);  // reset now, then a timeout at 10 s
  board.AdvanceTo(10000);
  Write(board, {0xE3, 0x03}, 10000);
  EXPECT_EQ(ReadAll(board, 10000), (Bytes{0x00, 0x03}));
}

TEST(BoardModelTest, ReplyModes) {
  struct Case {
    BoardMode mode;
    Bytes probeReply;
    Bytes queryReply;
  };
  const Case cases[] = {
      {BoardMode::Normal, {0x81, 0x03, 0x84}, {0x00, 0x04}},
      {BoardMode::Silent, {}, {}},
      {BoardMode::Short, {0x81, 0x03}, {0x00}},
      {BoardMode::Long, {0x81, 0x03, 0x84, 0, 0, 0, 0, 0, 0, 0}, {0x00, 0x04, 0, 0, 0, 0, 0, 0, 0, 0}},
      {BoardMode::WrongFirstByte, {kWrongProbeFirstByte, 0x03, 0x84}, {0x00, 0x04}},
  };
  for (const auto& c : cases) {
    BoardOptions options;
    options.mode = c.mode;
    options.resetCount = 4;
    BoardModel board(options);
    Write(board, {0x80}, 0);
    EXPECT_EQ(ReadAll(board, 100), c.probeReply) << BoardModeName(c.mode);
    Write(board, {0xE3, 0x03}, 200);
    EXPECT_EQ(ReadAll(board, 300), c.queryReply) << BoardModeName(c.mode);
    EXPECT_EQ(board.Count(RecordKind::Probe), 1u) << "requests are recorded in every mode";
    EXPECT_EQ(board.Count(RecordKind::CountQuery), 1u);
  }
  ASSERT_EQ(kLongReplyLength, 10u);
}

TEST(BoardModelTest, LateRepliesBecomeReadableAfterTheDelay) {
  BoardOptions options;
  options.mode = BoardMode::Late;
  options.lateMs = 250;
  BoardModel board(options);
  Write(board, {0x80}, 1000);
  EXPECT_EQ(board.ReadableReply(1100), 0u);
  EXPECT_TRUE(board.TakeReply(1249, 9).empty());
  EXPECT_EQ(board.NextReplyAt(1100), 1250);
  EXPECT_EQ(ReadAll(board, 1250), (Bytes{0x81, 0x03, 0x84}));
  EXPECT_FALSE(board.NextReplyAt(1250).has_value());
  EXPECT_EQ(FormatRecord(board.records()[0]), "1000 probe 80 reply=81 03 84 after 250ms");
}

TEST(BoardModelTest, ModeCanChangeWhileRunning) {
  BoardModel board;
  board.SetMode(BoardMode::Silent, 0);
  Write(board, {0x80}, 0);
  EXPECT_EQ(board.ReadableReply(0), 0u);
  EXPECT_EQ(board.records()[0].description, "no reply (silent)");
}

TEST(BoardModelTest, UnpluggedBoardLosesEverything) {
  BoardModel board;
  Write(board, {0xF3, 0x01}, 0);  // buzzer on, fed
  Write(board, {0x80}, 100);       // a reply the host never reads
  Write(board, {0xE0, 0x3F}, 150);  // half a display frame
  board.Unplug(200);
  EXPECT_FALSE(board.plugged());
  EXPECT_EQ(board.ReadableReply(200), 0u);

  Write(board, {0x80, 0x01, 0xFF}, 300);
  EXPECT_EQ(board.lostBytes(), 3u);
  board.AdvanceTo(60000);  // no power, no countdown
  EXPECT_EQ(board.Count(RecordKind::ResetPc), 0u);
  EXPECT_EQ(board.Count(RecordKind::ResetNow), 0u);

  board.PlugIn(61000);
  EXPECT_TRUE(board.plugged());
  EXPECT_FALSE(board.buzzerOn());
  EXPECT_FALSE(board.resetDueMs().has_value());
  Write(board, {0x80}, 61100);  // the half frame from before the unplug is gone
  EXPECT_EQ(ReadAll(board, 61100), (Bytes{0x81, 0x03, 0x84}));

  std::vector<std::string> kinds;
  for (const auto& r : board.records()) kinds.push_back(RecordKindName(r.kind));
  EXPECT_EQ(kinds, (std::vector<std::string>{"buzzer-on", "feed", "probe", "unplug", "plug-in", "probe"}));
  EXPECT_EQ(FormatRecord(board.records()[3]), "200 unplug -");
}

TEST(BoardModelTest, HidReportsCarryOneCommand) {
  BoardModel board;
  const uint8_t feed[9] = {0x00, 0x12, 0, 0, 0, 0, 0, 0, 0};
  const uint8_t probe[9] = {0x00, 0x80, 0, 0, 0, 0, 0, 0, 0};
  const uint8_t frameByte[9] = {0x00, 0xE0, 0, 0, 0, 0, 0, 0, 0};
  board.ReceiveHidReport(feed, sizeof feed, 1000);
  board.ReceiveHidReport(probe, sizeof probe, 2000);
  board.ReceiveHidReport(frameByte, sizeof frameByte, 3000);

  ASSERT_EQ(board.records().size(), 3u);
  EXPECT_EQ(board.records()[0].kind, RecordKind::Feed);
  EXPECT_TRUE(board.records()[0].overHid);
  EXPECT_EQ(FormatRecord(board.records()[0]),
            "1000 hid-report 00 12 00 00 00 00 00 00 00 feed timeout=180s");
  EXPECT_EQ(FormatRecord(board.records()[1]),
            "2000 hid-report 00 80 00 00 00 00 00 00 00 probe no reply over HID");
  EXPECT_EQ(board.records()[2].kind, RecordKind::Unknown);
  EXPECT_EQ(board.ReadableReply(3000), 0u);
  EXPECT_EQ(board.resetDueMs(), 181000);

  board.Unplug(4000);
  board.ReceiveHidReport(feed, sizeof feed, 5000);
  EXPECT_EQ(board.lostBytes(), sizeof feed);
}

}  // namespace
}  // namespace boardsim
