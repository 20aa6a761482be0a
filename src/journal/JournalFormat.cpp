// Encoding and checked decoding of the journal's header and records (little-endian fields).
#include "journal/JournalFormat.h"

#include <limits>

#include "journal/Crc32.h"

namespace journal {

namespace {

constexpr std::string_view kMagic("QVJOURNL", 8);
constexpr std::size_t kFrameSize = 8;  // a record's 32-bit payload length and CRC
constexpr std::uint64_t kMaxField = std::numeric_limits<std::uint32_t>::max();

void PutU32(std::string& out, std::uint32_t value) {
  const char bytes[4] = {static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
                         static_cast<char>(value >> 24)};
  out.append(bytes, 4);
}

void PutU64(std::string& out, std::uint64_t value) {
  PutU32(out, static_cast<std::uint32_t>(value));
  PutU32(out, static_cast<std::uint32_t>(value >> 32));
}

void PutText(std::string& out, std::string_view text) {
  PutU32(out, static_cast<std::uint32_t>(text.size()));
  out.append(text);
}

void SetU32(std::string& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
}

std::uint32_t GetU32(const char* p) {
  const auto* b = reinterpret_cast<const unsigned char*>(p);
  return std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 | std::uint32_t{b[3]} << 24;
}

// Reads fields from bytes that may be anything: every read is checked against what is left.
class TFieldReader {
 public:
  explicit TFieldReader(std::string_view bytes) : bytes_(bytes) {}

  bool U8(std::uint8_t& value) {
    if (Left() < 1) return false;
    value = static_cast<std::uint8_t>(bytes_[at_++]);
    return true;
  }
  bool U32(std::uint32_t& value) {
    if (Left() < 4) return false;
    value = GetU32(bytes_.data() + at_);
    at_ += 4;
    return true;
  }
  bool U64(std::uint64_t& value) {
    std::uint32_t low = 0, high = 0;
    if (!U32(low) || !U32(high)) return false;
    value = std::uint64_t{high} << 32 | low;
    return true;
  }
  bool I64(std::int64_t& value) {
    std::uint64_t bits = 0;
    if (!U64(bits)) return false;
    value = static_cast<std::int64_t>(bits);
    return true;
  }
  bool Text(std::string& value) {
    std::uint32_t length = 0;
    if (!U32(length) || Left() < length) return false;
    value.assign(bytes_.data() + at_, length);
    at_ += length;
    return true;
  }
  // `count` lines that must fill the rest exactly.
  bool Lines(std::size_t count, TRecordLines& lines) {
    const std::size_t start = at_;
    for (std::size_t i = 0; i < count; ++i) {
      std::uint32_t length = 0;
      if (!U32(length) || Left() < length) return false;
      at_ += length;
    }
    if (Left() != 0) return false;
    lines = TRecordLines(bytes_.substr(start), count);
    return true;
  }
  std::size_t Left() const { return bytes_.size() - at_; }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
};

// Starts a record: its frame is filled in by FinishRecord once the payload is complete.
std::size_t BeginRecord(std::string& out, TRecordKind kind, std::int64_t written) {
  const std::size_t frame = out.size();
  out.append(kFrameSize, '\0');
  out.push_back(static_cast<char>(kind));
  PutU64(out, static_cast<std::uint64_t>(written));
  return frame;
}

// Appends the lines and closes the frame; nothing when the record outgrows the format.
std::optional<TRecordLines> FinishRecord(std::string& out, std::size_t frame, std::size_t count,
                                         const TLineAt& lines) {
  if (count > kMaxField) return std::nullopt;
  PutU32(out, static_cast<std::uint32_t>(count));
  const std::size_t linesStart = out.size();
  for (std::size_t i = 0; i < count; ++i) {
    const std::string_view line = lines(i);
    if (line.size() > kMaxField) return std::nullopt;
    PutText(out, line);
  }
  const std::size_t payload = out.size() - frame - kFrameSize;
  if (payload > kMaxField) return std::nullopt;
  SetU32(out, frame, static_cast<std::uint32_t>(payload));
  SetU32(out, frame + 4, Crc32(std::string_view(out).substr(frame + kFrameSize)));
  return TRecordLines(std::string_view(out).substr(linesStart), count);
}

}  // namespace

void EncodeHeader(std::string& out, const TJournalHeader& header) {
  std::string body;
  PutText(body, header.document.path);
  PutText(body, header.document.encoding);
  PutU64(body, header.document.size);
  PutU64(body, static_cast<std::uint64_t>(header.document.mtimeSeconds));
  PutU32(body, header.document.mtimeNanoseconds);
  PutU32(body, header.document.checksum);
  PutU64(body, static_cast<std::uint64_t>(header.began));
  out.append(kMagic);
  PutU32(out, kFormatVersion);
  PutU32(out, static_cast<std::uint32_t>(body.size()));
  PutU32(out, Crc32(body));
  out.append(body);
}

std::optional<TRecordLines> EncodeReplace(std::string& out, std::int64_t written, std::size_t index,
                                          std::size_t removed, std::size_t count, const TLineAt& lines) {
  if (index > kMaxField || removed > kMaxField) return std::nullopt;
  const std::size_t frame = BeginRecord(out, TRecordKind::replace, written);
  PutU32(out, static_cast<std::uint32_t>(index));
  PutU32(out, static_cast<std::uint32_t>(removed));
  return FinishRecord(out, frame, count, lines);
}

std::optional<TRecordLines> EncodeSnapshot(std::string& out, std::int64_t written, std::size_t count,
                                           const TLineAt& lines) {
  return FinishRecord(out, BeginRecord(out, TRecordKind::snapshot, written), count, lines);
}

THeaderCheck DecodeHeader(std::string_view file, TJournalHeader& header, std::size_t& recordsStart) {
  if (file.substr(0, kMagic.size()) != kMagic) return THeaderCheck::notAJournal;
  TFieldReader frame(file.substr(kMagic.size()));
  std::uint32_t version = 0, length = 0, crc = 0;
  if (!frame.U32(version)) return THeaderCheck::damaged;
  if (version != kFormatVersion) return THeaderCheck::otherVersion;
  if (!frame.U32(length) || !frame.U32(crc) || frame.Left() < length) return THeaderCheck::damaged;
  const std::size_t bodyStart = kMagic.size() + 12;
  const std::string_view body = file.substr(bodyStart, length);
  if (Crc32(body) != crc) return THeaderCheck::damaged;
  TFieldReader fields(body);
  TDocumentStamp& document = header.document;
  std::uint64_t size = 0;
  if (!fields.Text(document.path) || !fields.Text(document.encoding) || !fields.U64(size) ||
      !fields.I64(document.mtimeSeconds) || !fields.U32(document.mtimeNanoseconds) ||
      !fields.U32(document.checksum) || !fields.I64(header.began) || fields.Left() != 0) {
    return THeaderCheck::damaged;
  }
  document.size = size;
  recordsStart = bodyStart + length;
  return THeaderCheck::ok;
}

bool TRecordScanner::Next(TRecord& record) {
  const std::string_view rest = records_.substr(position_);
  if (rest.size() < kFrameSize) return false;
  const std::uint32_t length = GetU32(rest.data());
  if (length > rest.size() - kFrameSize) return false;
  const std::string_view payload = rest.substr(kFrameSize, length);
  if (Crc32(payload) != GetU32(rest.data() + 4)) return false;

  TFieldReader fields(payload);
  std::uint8_t kind = 0;
  std::uint32_t count = 0;
  if (!fields.U8(kind) || !fields.I64(record.written)) return false;
  record.kind = static_cast<TRecordKind>(kind);
  record.index = record.removed = 0;
  if (record.kind == TRecordKind::replace) {
    if (!fields.U32(record.index) || !fields.U32(record.removed)) return false;
  } else if (record.kind != TRecordKind::snapshot) {
    return false;
  }
  if (!fields.U32(count) || !fields.Lines(count, record.lines)) return false;
  position_ += kFrameSize + length;
  return true;
}

}  // namespace journal
