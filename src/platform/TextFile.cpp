// The document format's line reader and the whole-file read (POSIX files).
#include "platform/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "platform/Errors.h"
#include "platform/PosixIo.h"
#include "platform/TextCodec.h"

namespace platform {

namespace {

constexpr char kCtrlZ = 26;

// The name a load error shows: absolute, with "." and ".." resolved.
std::string ExpandedName(const std::string& fileName) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(fileName, error);
  if (error) return fileName;
  return absolute.lexically_normal().string();
}

[[noreturn]] void FailToOpen(const std::string& fileName, const std::string& systemText) {
  throw EFOpenError(ExpandedName(fileName), systemText);
}

[[noreturn]] void FailToOpen(const std::string& fileName, int err) { FailToOpen(fileName, SystemErrorText(err)); }

// Opens a document for reading. Opening does not wait (a pipe with no writer would hang
// the window), and only a regular file is kept: a device or a pipe may never end, so it
// is refused before a byte is read. Answers the descriptor, blocking again, and the size.
int OpenRegularFile(const std::string& fileName, std::uint64_t& size) {
  const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) FailToOpen(fileName, errno);
  struct stat info {};
  const int statErr = ::fstat(fd, &info) == 0 ? 0 : errno;
  if (statErr != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    if (statErr != 0) FailToOpen(fileName, statErr);
    // Opening a directory succeeds on this platform; loading one must fail like a file
    // that cannot be opened.
    if (S_ISDIR(info.st_mode)) FailToOpen(fileName, EISDIR);
    FailToOpen(fileName, "The file is not a regular file (a device, a pipe or a socket)");
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  size = static_cast<std::uint64_t>(info.st_size);
  return fd;
}

}  // namespace

std::string ReadWholeFile(const std::string& fileName) {
  std::uint64_t size = 0;
  const int fd = OpenRegularFile(fileName, size);
  std::string contents;
  contents.reserve(static_cast<std::size_t>(size));
  char buffer[kIoChunk];
  for (;;) {
    const ssize_t got = ReadSome(fd, buffer, sizeof buffer);
    if (got <= 0) {
      const int err = errno;
      ::close(fd);
      if (got < 0) FailToOpen(fileName, err);
      return contents;
    }
    contents.append(buffer, static_cast<std::size_t>(got));
  }
}

// ---- Reader ----

TTextFileReader::TTextFileReader(const std::string& fileName) { fd_ = OpenRegularFile(fileName, size_); }

TTextFileReader::TTextFileReader(const std::string& fileName, std::optional<TEncoding> encoding)
    : TTextFileReader(fileName) {
  if (encoding) {
    encoding_ = {*encoding};
    Begin(*encoding);
    return;
  }
  while (raw_.size() < kDeclarationWindow && ReadRaw()) {
  }
  const TEncodingClaim claim =
      ReadEncodingClaim(std::string_view(raw_).substr(0, std::min(raw_.size(), kDeclarationWindow)));
  if (claim.settled) {
    encoding_ = {*claim.settled};
    Begin(*claim.settled);
    return;
  }
  const bool utf8 =
      HoldUtf8Lines(claim.utf8 == TEncodingConflict::ByteOrderMark ? TEncoding::Utf8Bom : TEncoding::Utf8);
  encoding_ = claim.Conclude(utf8, multiByte_);
  if (!utf8) {
    Rewind();
    Begin(TEncoding::Windows1251);
  }
}

TTextFileReader::~TTextFileReader() {
  if (fd_ >= 0) close(fd_);
}

bool TTextFileReader::Fill() {
  if (decoding_) return FillDecoded();
  consumed_ += buffer_.size();
  buffer_.resize(kIoChunk);
  const ssize_t n = ReadSome(fd_, buffer_.data(), kIoChunk);
  if (n < 0) {
    buffer_.clear();
    throw EInOutError::FromErrno(errno);
  }
  buffer_.resize(static_cast<std::size_t>(n));
  pos_ = 0;
  return n > 0;
}

bool TTextFileReader::ReadLine(std::string& line) {
  if (!holding_) return NextLine(line);
  if (heldNext_ == held_.size()) {
    line.clear();
    return false;
  }
  line = std::move(held_[heldNext_++]);
  return true;
}

std::vector<std::string> TTextFileReader::ReadAllLines() {
  std::vector<std::string> lines;
  if (holding_) {
    lines.swap(held_);
    lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(heldNext_));
    heldNext_ = 0;
    return lines;
  }
  for (std::string line; NextLine(line);) lines.push_back(std::move(line));
  return lines;
}

bool TTextFileReader::NextLine(std::string& line) {
  line.clear();
  if (ended_) return false;
  for (;;) {
    if (pos_ >= buffer_.size() && !Fill()) {
      // A last line without a terminator is kept; a file ending in a terminator adds none.
      ended_ = true;
      return !line.empty();
    }
    const char* data = buffer_.data();
    const std::size_t end = buffer_.size();
    // Ctrl+Z ends the text only where a line starts (a dropped CR does not start one).
    if (line.empty() && data[pos_] == kCtrlZ) {
      const std::uint64_t mark =
          consumed_ +
          (decoding_ ? EncodedLength(std::string_view(raw_).substr(0, rawUsed_), encoding_.encoding, pos_) : pos_);
      unread_ = size_ > mark ? size_ - mark : 1;
      ended_ = true;
      return false;
    }
    std::size_t run = pos_;
    while (run < end && data[run] != '\n' && data[run] != '\r') ++run;
    if (unmappedAt_ - pos_ < run - pos_) {
      firstUnmapped_ = TUnmappedCharacter{unmappedCode_, lines_, line.size() + (unmappedAt_ - pos_)};
      unmappedAt_ = std::string::npos;
    }
    line.append(data + pos_, run - pos_);
    pos_ = run;
    if (pos_ == end) continue;
    const char c = data[pos_++];
    if (c == '\n') {
      ++lines_;
      return true;
    }
    // A CR ends nothing by itself: before an LF the LF ends the line, alone it is dropped.
  }
}

void TTextFileReader::Begin(TEncoding encoding) {
  // Windows-1251 needs no decoding: its bytes are the editor's codes, and any read
  // already are the buffer's first.
  decoding_ = encoding != TEncoding::Windows1251;
  if (!decoding_) {
    buffer_.swap(raw_);
    return;
  }
  const std::string_view mark = ByteOrderMark(encoding);
  while (raw_.size() < mark.size() && ReadRaw()) {
  }
  if (std::string_view(raw_).starts_with(mark)) {
    raw_.erase(0, mark.size());
    consumed_ = mark.size();
  }
}

// A Windows-1251 page fails at its first letter, mostly in the first chunk; a UTF-8 page
// is read once, without a pass of its own for the check.
bool TTextFileReader::HoldUtf8Lines(TEncoding encoding) {
  encoding_ = {encoding};
  Begin(encoding);
  for (std::string line; !malformed_ && NextLine(line);) held_.push_back(std::move(line));
  // Bytes after a Ctrl+Z that ended the text must be UTF-8 too.
  while (!malformed_ && FillDecoded()) {
  }
  holding_ = !malformed_;
  return !malformed_;
}

void TTextFileReader::Rewind() {
  if (::lseek(fd_, 0, SEEK_SET) != 0) throw EInOutError::FromErrno(errno);
  consumed_ = unread_ = lines_ = 0;
  buffer_.clear();
  pos_ = 0;
  ended_ = false;
  raw_.clear();
  rawUsed_ = 0;
  rawEnded_ = false;
  unmappedAt_ = std::string::npos;
  firstUnmapped_.reset();
  malformed_ = multiByte_ = false;
  held_.clear();
  heldNext_ = 0;
  holding_ = false;
}

bool TTextFileReader::ReadRaw() {
  const std::size_t kept = raw_.size();
  raw_.resize(kept + kIoChunk);
  const ssize_t n = ReadSome(fd_, raw_.data() + kept, kIoChunk);
  const int err = errno;
  raw_.resize(kept + static_cast<std::size_t>(n > 0 ? n : 0));
  if (n < 0) throw EInOutError::FromErrno(err);
  return n > 0;
}

// The buffer gets the next decoded piece of the file. A character the chunk's end cuts
// stays in raw_ and is decoded with the chunk after it.
bool TTextFileReader::FillDecoded() {
  consumed_ += rawUsed_;
  raw_.erase(0, rawUsed_);
  rawUsed_ = 0;
  buffer_.clear();
  pos_ = 0;
  unmappedAt_ = std::string::npos;
  while (buffer_.empty() && !rawEnded_) {
    rawEnded_ = !ReadRaw();
    const TDecodeStep step = DecodeText(raw_, encoding_.encoding, rawEnded_, buffer_);
    rawUsed_ = step.consumed;
    malformed_ = malformed_ || step.malformed;
    multiByte_ = multiByte_ || buffer_.size() != step.consumed;
    if (!firstUnmapped_) {
      unmappedAt_ = step.unmappedAt;
      unmappedCode_ = step.unmappedCode;
    }
  }
  return !buffer_.empty();
}

}  // namespace platform
