// The recorder-file readers the fuzz targets exercise, by name. Each entry opens a file through
// one reader, reads back everything the reader delivers when it opens, and checks that the open
// result is one the reader may give; it also supplies generated seed files and a way to
// recompute a seed's checksums after a mutation, so that mutations reach the structure checks.
// Another reader is fuzzed by adding an entry to the table in FuzzReaders.cpp.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vtfuzz {

struct FuzzSeed {
  std::vector<uint8_t> bytes;
  // Recomputes the checksums of a mutated copy (the parts stay where the seed had them).
  std::function<void(std::vector<uint8_t>&)> fixChecksums;
};

struct FuzzReader {
  std::string name;
  std::string extension;  // of the temporary file the input is written to
  std::function<std::vector<FuzzSeed>()> seeds;
  // Recomputes the checksums of an input of any origin by walking its blocks (FuzzChecksums).
  std::function<void(uint8_t* data, std::size_t size)> repair;
  // Opens the file, reads everything back when it opens, and returns the open result; aborts
  // when the result is not one the reader may give.
  std::function<int(const std::string& path)> run;
};

const std::vector<FuzzReader>& FuzzReaders();
const FuzzReader* FindFuzzReader(const std::string& name);

// Writes data to a private temporary file and runs the reader on it; the file's folder is made
// for the run and removed after it.
int RunOnBytes(const FuzzReader& reader, const uint8_t* data, std::size_t size);

}  // namespace vtfuzz
