// Replaying a journal's bytes: the text it holds, or only its size for the start-up
// offer, taking every whole record up to the first torn or damaged one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "journal/JournalFormat.h"

namespace journal {

enum class TJournalState {
  whole,        // every record was replayed
  tailDropped,  // the end was torn or damaged and is left out; everything before it is back
  // Nothing can be recovered:
  notAJournal,
  otherVersion,  // written by a version of the program with another layout
  damaged,       // the header or the text the journal began with is damaged
  unreadable,    // the file could not be read, or not held in memory
};

inline bool Recoverable(TJournalState state) {
  return state == TJournalState::whole || state == TJournalState::tailDropped;
}

struct TRecoveredText {
  TJournalState state = TJournalState::unreadable;
  TJournalHeader header;
  std::int64_t lastChange = 0;  // when the last record replayed was written
  std::vector<std::string> lines;
};

struct TJournalSummary {
  TJournalState state = TJournalState::unreadable;
  TJournalHeader header;
  std::int64_t lastChange = 0;
  std::uint64_t textBytes = 0;  // the lines' bytes, without line ends
  std::uint64_t textLines = 0;
};

// The text a journal's bytes hold.
TRecoveredText RecoverText(std::string_view journal);
// The same replay keeping only line lengths: what the offer shows, at a fraction of the memory.
TJournalSummary SummarizeJournal(std::string_view journal);

}  // namespace journal
