// Stamping a document file by reading it once, and comparing the stamp with the disk.
#include "journal/DocumentStamp.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "journal/Crc32.h"
#include "platform/PosixIo.h"

namespace journal {

std::optional<TDocumentStamp> StampFile(const std::string& path, const std::string& encoding) {
  // Not waiting on open: a pipe put where the document was must not hang the start.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  std::optional<TDocumentStamp> stamp;
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
    stamp = TDocumentStamp{path, encoding, static_cast<std::uint64_t>(info.st_size), info.st_mtim.tv_sec,
                           static_cast<std::uint32_t>(info.st_mtim.tv_nsec), 0};
    std::string chunk(platform::kIoChunk, '\0');
    for (;;) {
      const ssize_t got = platform::ReadSome(fd, chunk.data(), chunk.size());
      if (got < 0) stamp.reset();
      if (got <= 0) break;
      stamp->checksum = Crc32(std::string_view(chunk.data(), static_cast<std::size_t>(got)), stamp->checksum);
    }
  }
  ::close(fd);
  return stamp;
}

bool FileChangedSince(const TDocumentStamp& stamp) {
  if (stamp.path.empty()) return false;
  struct stat info {};
  if (::stat(stamp.path.c_str(), &info) != 0) return true;
  if (static_cast<std::uint64_t>(info.st_size) != stamp.size || info.st_mtim.tv_sec != stamp.mtimeSeconds ||
      static_cast<std::uint32_t>(info.st_mtim.tv_nsec) != stamp.mtimeNanoseconds) {
    return true;
  }
  const std::optional<TDocumentStamp> now = StampFile(stamp.path, stamp.encoding);
  return !now || now->checksum != stamp.checksum;
}

}  // namespace journal
