// The file readers' and writers' shared POSIX steps: the chunk they move at once, and a
// read and a write that carry on when a signal interrupts them.
#pragma once

#include <unistd.h>

#include <cerrno>
#include <cstddef>

namespace platform {

inline constexpr std::size_t kIoChunk = 64 * 1024;

// Reads up to `count` bytes; -1 with errno on failure, 0 at the end of the file.
inline ssize_t ReadSome(int fd, char* data, std::size_t count) {
  for (;;) {
    const ssize_t n = ::read(fd, data, count);
    if (n >= 0 || errno != EINTR) return n;
  }
}

// Writes all `size` bytes; false with errno on failure.
inline bool WriteAll(int fd, const char* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::write(fd, data + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace platform
