// One pass over a journal's records, applying each to a TLineSplicer straight from the
// bytes; the first record must be the snapshot of the text the journal began with.
#include "journal/JournalReplay.h"

#include <new>

#include "journal/LineSplicer.h"

namespace journal {

namespace {

struct TReplayEnd {
  TJournalState state = TJournalState::unreadable;
  TJournalHeader header;
  std::int64_t lastChange = 0;
};

TJournalState FromHeaderCheck(THeaderCheck check) {
  switch (check) {
    case THeaderCheck::ok:
      return TJournalState::whole;
    case THeaderCheck::notAJournal:
      return TJournalState::notAJournal;
    case THeaderCheck::otherVersion:
      return TJournalState::otherVersion;
    case THeaderCheck::damaged:
      break;
  }
  return TJournalState::damaged;
}

// A record is applied only if it fits the text as it stands; one that does not is
// damage that a CRC happened to pass, and ends the replay like a torn record.
template <class Line>
bool Apply(const TRecord& record, TLineSplicer<Line>& text) {
  if (record.kind == TRecordKind::snapshot) {
    text.Clear();
    text.Splice(0, 0, record.lines);
    return true;
  }
  const std::size_t count = text.Count();
  if (record.index > count || record.removed > count - record.index) return false;
  text.Splice(record.index, record.removed, record.lines);
  return true;
}

template <class Line>
TReplayEnd Replay(std::string_view journal, TLineSplicer<Line>& text) {
  TReplayEnd end;
  std::size_t recordsStart = 0;
  end.state = FromHeaderCheck(DecodeHeader(journal, end.header, recordsStart));
  if (end.state != TJournalState::whole) return end;
  TRecordScanner scanner(journal.substr(recordsStart));
  TRecord record;
  bool started = false;
  bool fits = true;
  while (scanner.Next(record)) {
    if (!started && record.kind != TRecordKind::snapshot) break;
    fits = Apply(record, text);
    if (!fits) break;
    started = true;
    end.lastChange = record.written;
  }
  if (!started) {
    end.state = TJournalState::damaged;
  } else if (!fits || scanner.StoppedShort()) {
    end.state = TJournalState::tailDropped;
  }
  return end;
}

}  // namespace

TRecoveredText RecoverText(std::string_view journal) {
  TRecoveredText result;
  try {
    TLineSplicer<std::string> text;
    const TReplayEnd end = Replay(journal, text);
    result.state = end.state;
    result.header = end.header;
    result.lastChange = end.lastChange;
    if (Recoverable(end.state)) result.lines = text.Take();
  } catch (const std::bad_alloc&) {
    result = TRecoveredText{};
  }
  return result;
}

TJournalSummary SummarizeJournal(std::string_view journal) {
  TJournalSummary summary;
  try {
    TLineSplicer<TLineSize> text;
    const TReplayEnd end = Replay(journal, text);
    summary.state = end.state;
    summary.header = end.header;
    summary.lastChange = end.lastChange;
    if (!Recoverable(end.state)) return summary;
    summary.textLines = text.Count();
    for (std::size_t i = 0; i < text.Count(); ++i) summary.textBytes += text.At(i).bytes;
  } catch (const std::bad_alloc&) {
    summary = TJournalSummary{};
  }
  return summary;
}

}  // namespace journal
