#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/errors.h"

namespace pirune {
namespace {

std::string Message(int i) { return "[エラー] t.prw(" + std::to_string(i) + "行目): 失敗" + std::to_string(i) + "\r\n"; }

// Splits the log into its lines, each with its CR LF.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t end = text.find('\n', i);
    end = end == std::string::npos ? text.size() : end + 1;
    lines.push_back(text.substr(i, end - i));
    i = end;
  }
  return lines;
}

// Within the bound the log is every message, in order, as before.
TEST(TErrorLog, WithinTheBoundHoldsEveryMessage) {
  TErrorLog log;
  std::string expected;
  for (int i = 0; i < 1000; ++i) {
    log.Append(Message(i));
    expected += Message(i);
  }
  ASSERT_LE(expected.size(), TErrorLog::kErrorLogLimit);
  EXPECT_EQ(log.Text(), expected);
  EXPECT_EQ(log.size(), expected.size());
  log = "a\r\nb";
  EXPECT_EQ(log, "a\r\nb");
  log.clear();
  EXPECT_EQ(log.Text(), "");
}

// A run that ignores errors for long keeps its first lines and its latest ones, each
// line whole and in order, and no more than the bound.
TEST(TErrorLog, PastTheBoundKeepsFirstAndLatestWholeLines) {
  TErrorLog log;
  const int count = 400000;
  std::size_t written = 0;
  std::size_t longest = 0;
  for (int i = 0; i < count; ++i) {
    log.Append(Message(i));
    written += Message(i).size();
    longest = std::max(longest, log.Text().size());
  }
  EXPECT_LE(longest, TErrorLog::kErrorLogLimit + Message(count).size());
  EXPECT_EQ(log.size(), written);
  std::vector<std::string> lines = Lines(log.Text());
  ASSERT_GT(lines.size(), 2u);
  EXPECT_EQ(lines.front(), Message(0));
  EXPECT_EQ(lines.back(), Message(count - 1));
  std::size_t head = 0;
  while (head < lines.size() && lines[head] == Message(static_cast<int>(head))) ++head;
  ASSERT_LT(head, lines.size());
  EXPECT_GT(head * Message(0).size(), TErrorLog::kKeptHead / 2);  // the start is kept
  int first_latest = count - static_cast<int>(lines.size() - head);
  for (std::size_t k = head; k < lines.size(); ++k)
    ASSERT_EQ(lines[k], Message(first_latest + static_cast<int>(k - head))) << k;
  EXPECT_GT(first_latest, static_cast<int>(head));
}

// A message longer than the bound is still shown whole when it is the latest.
TEST(TErrorLog, KeepsALongLatestMessageWhole) {
  TErrorLog log;
  log.Append(Message(0));
  std::string long_message(TErrorLog::kErrorLogLimit + 10, 'x');
  long_message += "\r\n";
  log.Append(long_message);
  EXPECT_EQ(log.Text(), Message(0) + long_message);
  log.Append(Message(1));
  EXPECT_EQ(log.Text(), Message(0) + Message(1));
}

// Noting the size, trying something that may fail and cutting back to the noted size
// takes off exactly what was added, even when lines were dropped in between.
TEST(TErrorLog, CuttingBackToANotedSizeRemovesWhatWasAdded) {
  TErrorLog log;
  int i = 0;
  while (log.Text().size() + Message(i).size() <= TErrorLog::kErrorLogLimit) log.Append(Message(i++));
  struct Case { int added; } cases[] = {{1}, {3}, {2000}};
  for (const Case& c : cases) {
    std::size_t noted = log.size();
    std::string last = Lines(log.Text()).back();
    for (int k = 0; k < c.added; ++k) log.Append(Message(i + k));
    log.resize(noted);
    EXPECT_EQ(log.size(), noted) << c.added;
    EXPECT_EQ(Lines(log.Text()).back(), last) << c.added;
    EXPECT_EQ(Lines(log.Text()).front(), Message(0)) << c.added;
    log.Append(Message(0));
    EXPECT_EQ(Lines(log.Text()).back(), Message(0)) << c.added;
  }
}

}  // namespace
}  // namespace pirune
