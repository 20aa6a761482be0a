// The physical memory figures: read from the kernel's text, and this machine's against
// the kernel's other interface.
#include <gtest/gtest.h>
#include <sys/sysinfo.h>

#include "platform/MemoryStatus.h"

using platform::ParseMemInfo;

TEST(MemoryStatus, ReadsTotalAndLoadAboveFourGigabytes) {
  // 24 GB, 6 GB available: 75 % in use. A 32-bit total would wrap.
  const auto status = ParseMemInfo(
      "MemTotal:       25165824 kB\nMemFree:         1048576 kB\nMemAvailable:    6291456 kB\nBuffers: 1 kB\n");
  EXPECT_EQ(status.TotalPhys, 25165824ull * 1024);
  EXPECT_EQ(status.MemoryLoad, 75u);
}

TEST(MemoryStatus, OlderKernelsCountFreeMemoryAndMissingTotalGivesZeros) {
  const auto old = ParseMemInfo("MemTotal: 2097152 kB\nMemFree: 1321336 kB\n");
  EXPECT_EQ(old.TotalPhys, 2147483648ull);
  EXPECT_EQ(old.MemoryLoad, 36u);
  // "MemTotalX" is another field, not the total.
  const auto none = ParseMemInfo("MemTotalX: 5 kB\nMemFree: 1 kB\n");
  EXPECT_EQ(none.TotalPhys, 0u);
  EXPECT_EQ(none.MemoryLoad, 0u);
}

TEST(MemoryStatus, ThisMachineAgreesWithSysinfo) {
  struct sysinfo info {};
  ASSERT_EQ(sysinfo(&info), 0);
  const std::uint64_t kernelTotal = static_cast<std::uint64_t>(info.totalram) * info.mem_unit;
  const auto status = platform::GlobalMemoryStatus();
  // Both report the same MemTotal; sysinfo rounds to its unit.
  EXPECT_NEAR(static_cast<double>(status.TotalPhys), static_cast<double>(kernelTotal), 1024.0 * info.mem_unit);
  EXPECT_LE(status.MemoryLoad, 100u);
  const std::uint64_t freeBytes = static_cast<std::uint64_t>(info.freeram) * info.mem_unit;
  // Memory that is plainly free is not counted as in use.
  EXPECT_LE(status.MemoryLoad, 100 - freeBytes * 100 / kernelTotal + 1);
}
