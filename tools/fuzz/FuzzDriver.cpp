// A plain driver for the fuzz target where libFuzzer is not available: a bounded, seeded
// mutation loop over the generator's seed files.
//   vtfuzz_driver READER [ITERATIONS] [SEED]
// Each iteration mutates one seed a few times (byte flips, boundary values in 8-, 16- and
// 32-bit fields, truncation, insertion and removal of bytes) and, for three inputs in four,
// recomputes the checksums so that the structure checks rather than a checksum see the damage.
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "tools/fuzz/FuzzReaders.h"

namespace {

void Mutate(std::vector<uint8_t>& b, std::mt19937& rng) {
  auto pick = [&](std::size_t n) { return std::size_t(rng() % (n == 0 ? 1 : n)); };
  static const uint32_t kValues[] = {0,          1,           2,           7,      8,      15,     16,
                                     0x7F,       0x80,        0xFF,        0x7FFF, 0x8000, 0xFFFF, 0x10000,
                                     0x7FFFFFFF, 0x80000000u, 0xFFFFFFFFu, 216,    832};
  const int steps = 1 + int(rng() % 3) / 2;  // mostly one change, sometimes two
  for (int s = 0; s < steps && !b.empty(); ++s) {
    const std::size_t at = pick(b.size());
    switch (rng() % 7) {
      case 0:
        b[at] ^= uint8_t(1u << (rng() % 8));
        break;
      case 1:
        b[at] = uint8_t(kValues[pick(std::size(kValues))]);
        break;
      case 2:
      case 3: {
        const uint32_t v = kValues[pick(std::size(kValues))];
        const std::size_t width = (rng() % 2) ? 2 : 4;
        for (std::size_t k = 0; k < width && at + k < b.size(); ++k)
          b[at + k] = uint8_t((rng() % 2) ? v >> (8 * k) : v >> (8 * (width - 1 - k)));
        break;
      }
      case 4:
        b.resize(at);
        break;
      case 5:
        b.insert(b.begin() + std::ptrdiff_t(at), std::size_t(1 + rng() % 16), uint8_t(rng()));
        break;
      default:
        b.erase(b.begin() + std::ptrdiff_t(at),
                b.begin() + std::ptrdiff_t(std::min(b.size(), at + 1 + rng() % 16)));
        break;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: vtfuzz_driver READER [ITERATIONS] [SEED]\n");
    return 2;
  }
  const vtfuzz::FuzzReader* reader = vtfuzz::FindFuzzReader(argv[1]);
  if (reader == nullptr) {
    std::fprintf(stderr, "vtfuzz_driver: no reader named %s\n", argv[1]);
    return 2;
  }
  const long iterations = argc > 2 ? std::atol(argv[2]) : 3000;
  const unsigned seed = argc > 3 ? unsigned(std::atol(argv[3])) : 1u;
  std::mt19937 rng(seed);
  const std::vector<vtfuzz::FuzzSeed> seeds = reader->seeds();
  if (seeds.empty()) return 2;
  long opened = 0;
  for (long i = 0; i < iterations; ++i) {
    // Mostly the valid seeds (those that can have their checksums fixed), sometimes the others.
    std::size_t k = rng() % seeds.size();
    for (int tries = 0; tries < 4 && !seeds[k].fixChecksums; ++tries) k = rng() % seeds.size();
    const vtfuzz::FuzzSeed& s = seeds[k];
    std::vector<uint8_t> input = s.bytes;
    Mutate(input, rng);
    // Seeds from the generator know where their checksums lie; others are repaired by the walk.
    if (rng() % 4 != 0) {
      if (s.fixChecksums)
        s.fixChecksums(input);
      else
        reader->repair(input.data(), input.size());
    }
    if (vtfuzz::RunOnBytes(*reader, input.data(), input.size()) == 0) ++opened;
  }
  std::printf("%s: %ld inputs, %ld opened\n", reader->name.c_str(), iterations, opened);
  return 0;
}
