// The long random run of the editor core, outside ctest: seed after seed of random use
// (tests/core/EditSoak.h) until the operation count is reached. Prints the count, the
// time taken and every fault with its seed; exits 1 when there was one.
//
//   edit_soak [operations, default 10000000] [first seed, default 1]
//   (or QUORVEL_SOAK_OPERATIONS in the environment)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/EditSoak.h"

namespace {

// One seed: a session on a short text, or now and then one above 65,536 rows.
std::string RunSeed(std::uint32_t seed, long long& operations) {
  testing_support::EditSoak soak(seed);
  const bool bigText = seed % 97 == 0;
  return soak.RunSession(bigText ? 1500 : 200 + static_cast<int>(seed * 2654435761u % 3800), operations, bigText);
}

}  // namespace

int main(int argc, char** argv) {
  const char* fromEnvironment = std::getenv("QUORVEL_SOAK_OPERATIONS");
  const long long target = argc > 1 ? std::atoll(argv[1]) : fromEnvironment ? std::atoll(fromEnvironment) : 10'000'000;
  const std::uint32_t firstSeed = argc > 2 ? static_cast<std::uint32_t>(std::atoll(argv[2])) : 1;
  const auto start = std::chrono::steady_clock::now();
  long long operations = 0;
  int faults = 0;
  std::uint32_t seed = firstSeed;
  for (; operations < target; ++seed) {
    const std::string fault = RunSeed(seed, operations);
    if (fault.empty()) continue;
    ++faults;
    std::printf("seed %u: %s\n", seed, fault.c_str());
    std::fflush(stdout);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%lld operations over seeds %u..%u in %.1f s (%.0f per second): %d fault%s\n", operations, firstSeed,
              seed - 1, seconds, operations / seconds, faults, faults == 1 ? "" : "s");
  return faults == 0 ? 0 : 1;
}
