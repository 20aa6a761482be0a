// Physical memory figures from the kernel.
#include "platform/MemoryStatus.h"

#include <sys/sysinfo.h>

#include <charconv>
#include <fstream>
#include <optional>
#include <sstream>

namespace platform {

namespace {

// The kB figure of one "Name:   value kB" line of meminfo, if the line is there.
std::optional<std::uint64_t> Field(std::string_view meminfo, std::string_view name) {
  std::size_t at = 0;
  while (at < meminfo.size()) {
    std::size_t end = meminfo.find('\n', at);
    if (end == std::string_view::npos) end = meminfo.size();
    std::string_view line = meminfo.substr(at, end - at);
    at = end + 1;
    if (line.size() <= name.size() || line.substr(0, name.size()) != name || line[name.size()] != ':') continue;
    std::size_t digits = line.find_first_of("0123456789", name.size() + 1);
    if (digits == std::string_view::npos) return std::nullopt;
    std::uint64_t value = 0;
    if (std::from_chars(line.data() + digits, line.data() + line.size(), value).ec != std::errc()) return std::nullopt;
    return value;
  }
  return std::nullopt;
}

std::uint32_t LoadPercent(std::uint64_t total, std::uint64_t available) {
  if (total == 0) return 0;
  if (available > total) available = total;
  return static_cast<std::uint32_t>((total - available) * 100 / total);
}

}  // namespace

TMemoryStatus ParseMemInfo(std::string_view meminfo) {
  const auto total = Field(meminfo, "MemTotal");
  if (!total) return {};
  auto available = Field(meminfo, "MemAvailable");
  if (!available) available = Field(meminfo, "MemFree");
  return {*total * 1024, LoadPercent(*total, available.value_or(0))};
}

TMemoryStatus GlobalMemoryStatus() {
  std::ifstream file("/proc/meminfo");
  if (file) {
    std::ostringstream text;
    text << file.rdbuf();
    const TMemoryStatus status = ParseMemInfo(text.str());
    if (status.TotalPhys != 0) return status;
  }
  struct sysinfo info {};
  if (sysinfo(&info) != 0) return {};
  const std::uint64_t unit = info.mem_unit == 0 ? 1 : info.mem_unit;
  const std::uint64_t total = static_cast<std::uint64_t>(info.totalram) * unit;
  const std::uint64_t available = static_cast<std::uint64_t>(info.freeram + info.bufferram) * unit;
  return {total, LoadPercent(total, available)};
}

}  // namespace platform
