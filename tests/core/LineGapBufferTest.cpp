// The line store's gap buffer against a plain vector, through edits that jump about.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "editor/model/LineGapBuffer.h"

namespace {

TEST(LineGapBuffer, EditsAnywhereKeepEveryLineInOrder) {
  editor::TLineGapBuffer buffer;
  std::vector<std::string> expected = {"a", "b", "c"};
  buffer.assign(expected);
  // The first edits start without a gap: lines must not be moved onto themselves.
  buffer.erase(1, 2);
  expected.erase(expected.begin() + 1);
  ASSERT_EQ(buffer.size(), expected.size());
  EXPECT_EQ(buffer[1], "c");

  std::mt19937 random(7);
  for (int step = 0; step < 2000; ++step) {
    const std::size_t at = random() % (expected.size() + 1);
    const std::string line = "line " + std::to_string(step) + std::string(random() % 40, 'x');
    switch (random() % 3) {
      case 0:
        buffer.insert(at, line);
        expected.insert(expected.begin() + static_cast<long>(at), line);
        break;
      case 1: {
        std::vector<std::string> lines(random() % 5, line);
        expected.insert(expected.begin() + static_cast<long>(at), lines.begin(), lines.end());
        buffer.insert(at, lines);
        break;
      }
      default: {
        const std::size_t to = std::min(expected.size(), at + random() % 4);
        buffer.erase(std::min(at, to), to);
        expected.erase(expected.begin() + static_cast<long>(std::min(at, to)), expected.begin() + static_cast<long>(to));
      }
    }
    ASSERT_EQ(buffer.size(), expected.size()) << "step " << step;
  }
  for (std::size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(buffer[i], expected[i]) << "line " << i;

  // A new text replaces the old lines and whatever places removed ones left behind.
  buffer.assign({"x", "y"});
  buffer.insert(1, std::string("between"));
  buffer.erase(0, 1);
  buffer.insert(2, std::string("after"));
  ASSERT_EQ(buffer.size(), 3u);
  EXPECT_EQ(buffer[0], "between");
  EXPECT_EQ(buffer[1], "y");
  EXPECT_EQ(buffer[2], "after");
}

}  // namespace
