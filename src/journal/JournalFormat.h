// The journal file's layout: a header naming the document, then framed records of text
// changes (length, CRC-32, payload), written by the encoders and read back by the
// scanner without trusting a byte of what it reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace journal {

// Bumped whenever the layout changes; a journal of another version is not replayed.
inline constexpr std::uint32_t kFormatVersion = 1;

// The document file a journal began from, as it was then.
struct TDocumentStamp {
  std::string path;      // empty for a page that was never saved
  std::string encoding;  // the name the document's reader and writer take
  std::uint64_t size = 0;
  std::int64_t mtimeSeconds = 0;
  std::uint32_t mtimeNanoseconds = 0;
  std::uint32_t checksum = 0;  // CRC-32 of the file's bytes
};

struct TJournalHeader {
  TDocumentStamp document;
  std::int64_t began = 0;  // milliseconds since 1970, from the clock the program passes
};

// Line i (from 0) of the lines a record carries, read from wherever the program holds them.
using TLineAt = std::function<std::string_view(std::size_t)>;

// The lines inside an encoded record, read in place: each is a 32-bit length and its bytes.
class TRecordLines {
 public:
  TRecordLines() = default;
  // `bytes` holds exactly `count` lines; the scanner and the encoders make sure of it.
  TRecordLines(std::string_view bytes, std::size_t count) : bytes_(bytes), count_(count) {}

  std::size_t Count() const { return count_; }
  // The bytes of the lines' text, without their lengths.
  std::size_t TextBytes() const { return bytes_.size() - 4 * count_; }
  // Calls f(std::string_view) for each line in order.
  template <class F>
  void ForEach(F&& f) const {
    const char* p = bytes_.data();
    for (std::size_t i = 0; i < count_; ++i) {
      const std::size_t length = ReadLength(p);
      f(std::string_view(p + 4, length));
      p += 4 + length;
    }
  }

 private:
  static std::size_t ReadLength(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return std::size_t{b[0]} | std::size_t{b[1]} << 8 | std::size_t{b[2]} << 16 | std::size_t{b[3]} << 24;
  }

  std::string_view bytes_;
  std::size_t count_ = 0;
};

enum class TRecordKind : std::uint8_t { replace = 1, snapshot = 2 };

struct TRecord {
  TRecordKind kind = TRecordKind::snapshot;
  std::int64_t written = 0;  // milliseconds since 1970
  // A replace: rows [index, index + removed) became `lines`. A snapshot: `lines` are the text.
  std::uint32_t index = 0;
  std::uint32_t removed = 0;
  TRecordLines lines;
};

// Appends the file's header to `out`.
void EncodeHeader(std::string& out, const TJournalHeader& header);

// Append one record to `out` and answer its lines as written there (valid until `out`
// changes); nothing when a count or length does not fit the format's 32-bit fields.
std::optional<TRecordLines> EncodeReplace(std::string& out, std::int64_t written, std::size_t index,
                                          std::size_t removed, std::size_t count, const TLineAt& lines);
std::optional<TRecordLines> EncodeSnapshot(std::string& out, std::int64_t written, std::size_t count,
                                           const TLineAt& lines);

enum class THeaderCheck { ok, notAJournal, otherVersion, damaged };

// Reads the header at the start of `file`; on ok, `recordsStart` is where the records begin.
THeaderCheck DecodeHeader(std::string_view file, TJournalHeader& header, std::size_t& recordsStart);

// Walks the records after the header, each checked whole (its length against the bytes
// there, its CRC, its fields and lines) before it is answered.
class TRecordScanner {
 public:
  explicit TRecordScanner(std::string_view records) : records_(records) {}

  // The next record; false at the end or at the first torn or damaged record.
  bool Next(TRecord& record);
  // After Next answered false: whether bytes were left that do not make a record.
  bool StoppedShort() const { return position_ < records_.size(); }

 private:
  std::string_view records_;
  std::size_t position_ = 0;
};

}  // namespace journal
