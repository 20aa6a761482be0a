// The journal's bytes read back: torn, damaged, forged or foreign journals give back
// exactly the records before the damage, or a clear "nothing", and never crash.
#include <gtest/gtest.h>

#include "JournalKit.h"
#include "journal/Crc32.h"
#include "journal/JournalReplay.h"

using namespace journal;
using namespace journal_test;

namespace {

// A journal's bytes with, for each of its states, the text and where its record ends.
struct Sample {
  std::string bytes;
  std::vector<std::size_t> ends;  // ends[0]: the header and the first snapshot
  std::vector<Lines> texts;
};

Sample MakeSample(int edits) {
  TempFolder folder;
  std::mt19937 random(7);
  Lines text = RandomLines(random, 5);
  TJournal journal(folder.path, {}, text.size(), LinesOf(text), FixedClock());
  const std::string file = folder / journal.FileName();
  Sample sample{{}, {FileSize(file)}, {text}};
  for (int i = 0; i < edits; ++i) {
    RandomEdit(random, text, journal);
    sample.ends.push_back(FileSize(file));
    sample.texts.push_back(text);
  }
  sample.bytes = ReadBytes(file);
  return sample;
}

// How many records end at or before `offset`, less the first snapshot: the state a
// replay of the bytes up to there reaches.
std::size_t StateBefore(const Sample& sample, std::size_t offset) {
  return static_cast<std::size_t>(std::upper_bound(sample.ends.begin(), sample.ends.end(), offset) -
                                  sample.ends.begin()) - 1;
}

std::string U32(std::uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }

std::string Framed(const std::string& payload) { return U32(payload.size()) + U32(Crc32(payload)) + payload; }

std::string ReplacePayload(std::uint32_t index, std::uint32_t removed, std::uint32_t count) {
  return '\1' + std::string(8, '\0') + U32(index) + U32(removed) + U32(count);
}

}  // namespace

TEST(JournalCrc, MatchesTheStandardCheckValueAlsoInPieces) {
  EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
  EXPECT_EQ(Crc32("6789", Crc32("12345")), 0xCBF43926u);
  const std::string longer(1000, 'q');
  EXPECT_EQ(Crc32(longer), Crc32(longer.substr(3), Crc32(longer.substr(0, 3))));
}

TEST(JournalBytes, CutAtEveryByteGivesBackTheRecordsBeforeTheCut) {
  const Sample sample = MakeSample(8);
  for (std::size_t cut = 0; cut <= sample.bytes.size(); ++cut) {
    const TRecoveredText recovered = RecoverText(std::string_view(sample.bytes).substr(0, cut));
    if (cut < sample.ends[0]) {
      EXPECT_FALSE(Recoverable(recovered.state)) << cut;
      continue;
    }
    const std::size_t state = StateBefore(sample, cut);
    EXPECT_EQ(recovered.lines, sample.texts[state]) << cut;
    EXPECT_EQ(recovered.state, cut == sample.ends[state] ? TJournalState::whole : TJournalState::tailDropped) << cut;
  }
}

TEST(JournalBytes, RandomBytesAnywhereStopTheReplayWhereTheyBegin) {
  const Sample sample = MakeSample(12);
  std::mt19937 random(11);
  for (int trial = 0; trial < 400; ++trial) {
    std::string bytes = sample.bytes;
    const std::size_t from = random() % (bytes.size() - 4);
    const std::size_t length = std::min<std::size_t>(4 + random() % 13, bytes.size() - from);
    for (std::size_t i = from; i < from + length; ++i) bytes[i] = static_cast<char>(random());
    const TRecoveredText recovered = RecoverText(bytes);
    if (from < sample.ends[0]) {
      EXPECT_FALSE(Recoverable(recovered.state)) << from;
    } else {
      EXPECT_EQ(recovered.lines, sample.texts[StateBefore(sample, from)]) << from;
    }
  }
  std::string noise(5000, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  EXPECT_EQ(RecoverText(noise).state, TJournalState::notAJournal);
}

// Records whose CRC is right but whose lengths, counts or rows cannot be: trusting any
// of them would allocate gigabytes or write outside the text.
TEST(JournalBytes, ForgedLengthsAndRowsAreDroppedNotTrusted) {
  const Sample sample = MakeSample(3);
  const std::string forged[] = {
      U32(0xFFFFFFF0u) + U32(0) + "abc",                                     // longer than the file
      Framed(ReplacePayload(0, 0, 0xFFFFFFFFu)),                             // four billion lines
      Framed(ReplacePayload(0, 0, 1) + U32(0xFFFFFFFFu) + "x"),              // a line longer than the record
      Framed(ReplacePayload(1'000'000, 0, 0)),                               // a row below the text
      Framed(ReplacePayload(0, 1'000'000, 0)),                               // removing more than there is
      Framed('\x09' + std::string(8, '\0') + U32(0)),                        // an unknown kind of record
  };
  for (const std::string& record : forged) {
    const TRecoveredText recovered = RecoverText(sample.bytes + record);
    EXPECT_EQ(recovered.state, TJournalState::tailDropped);
    EXPECT_EQ(recovered.lines, sample.texts.back());
  }
}

TEST(JournalBytes, AnotherVersionIsNotReplayed) {
  std::string bytes = MakeSample(2).bytes;
  bytes[8] = 2;
  const TRecoveredText recovered = RecoverText(bytes);
  EXPECT_EQ(recovered.state, TJournalState::otherVersion);
  EXPECT_TRUE(recovered.lines.empty());
}
