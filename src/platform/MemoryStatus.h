// The machine's physical memory as the kernel reports it: the total and how much of it
// is in use, the two figures the about window shows.
#pragma once

#include <cstdint>
#include <string_view>

namespace platform {

struct TMemoryStatus {
  // Bytes of physical memory; 64 bits wide, so machines above 4 GB show their true total.
  std::uint64_t TotalPhys = 0;
  // Percent of physical memory in use (0..100): what is not available to new programs.
  std::uint32_t MemoryLoad = 0;
};

// Reads the figures from the text of /proc/meminfo ("MemTotal:", "MemAvailable:", in kB;
// kernels without MemAvailable count MemFree as available). Zeros when MemTotal is missing.
TMemoryStatus ParseMemInfo(std::string_view meminfo);

// The status of this machine now: /proc/meminfo, or sysinfo() where that cannot be read.
TMemoryStatus GlobalMemoryStatus();

}  // namespace platform
