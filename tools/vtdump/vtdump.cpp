// vtdump: prints what the reader delivers for a recorder file (result code, path, kind,
// instrument, host, times, interval, channels with their attributes, groups with every field of
// every place, messages, alarms) and, with --records, the samples of every channel as CSV; with
// --derived-times also the records read without their stored times. The output is streamed, so
// memory does not grow with the file. Exits 0 when the file opens and the whole listing was
// written; 1 when the file does not open (after printing the result code), when writing the
// output fails, or when memory runs out; 2 on a usage error.
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "recorder/FileAccessFactory.h"
#include "recorder/RecorderDump.h"

namespace {

// Standard output through one buffer; a failed write is remembered and reported.
class StdoutSink : public DumpSink {
 public:
  bool Write(std::string_view text) override {
    if (failed_) return false;
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) failed_ = true;
    return !failed_;
  }
  // Flushes; false when any write failed.
  bool Finish() {
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) failed_ = true;
    return !failed_;
  }

 private:
  bool failed_ = false;
};

int Run(const char* path, bool records, bool derivedTimes) {
  StdoutSink out;
  CVTDataFileAccess* opened = nullptr;
  const int result = CreateFileAccess(path, &opened);
  out.Write("result: " + std::to_string(result) + "\n");
  if (result != 0) {
    out.Finish();
    return 1;
  }
  std::unique_ptr<CVTDataFileAccess> reader(opened);
  std::string s;
  reader->GetOpenedPath(&s);
  bool ok = out.Write("path: " + s + "\n") && DumpFileAccess(*reader, out);
  if (ok && records) ok = out.Write("records:\n") && DumpRecordsCsv(*reader, out, true);
  if (ok && derivedTimes) ok = out.Write("records (derived times):\n") && DumpRecordsCsv(*reader, out, false);
  if (!out.Finish() || !ok) {
    std::fprintf(stderr, "vtdump: writing the output failed\n");
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  static char buffer[1 << 16];
  std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
  bool records = false, derivedTimes = false;
  const char* path = nullptr;
  bool usage = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--records") == 0)
      records = true;
    else if (std::strcmp(argv[i], "--derived-times") == 0)
      derivedTimes = true;
    else if (path == nullptr && argv[i][0] != '-')
      path = argv[i];
    else
      usage = true;
  }
  if (path == nullptr || usage) {
    std::fprintf(stderr, "usage: vtdump [--records] [--derived-times] FILE\n");
    return 2;
  }
  try {
    return Run(path, records, derivedTimes);
  } catch (const std::bad_alloc&) {
    std::fflush(stdout);
    std::fprintf(stderr, "vtdump: out of memory while reading %s\n", path);
    return 1;
  }
}
