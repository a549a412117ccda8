// vtdump: prints what the reader delivers for a recorder file (result code, kind, instrument,
// times, interval, channels with their attributes, groups, messages, alarms) and, with
// --records, the samples of every channel as CSV. Exits 0 when the file opens; otherwise prints
// the result code and exits 1.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "recorder/FileAccessFactory.h"
#include "recorder/RecorderDump.h"

int main(int argc, char** argv) {
  bool records = false;
  const char* path = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--records") == 0)
      records = true;
    else if (path == nullptr && argv[i][0] != '-')
      path = argv[i];
    else
      path = nullptr, argc = 0;
  }
  if (path == nullptr) {
    std::fprintf(stderr, "usage: vtdump [--records] FILE\n");
    return 2;
  }
  CVTDataFileAccess* opened = nullptr;
  const int result = CreateFileAccess(path, &opened);
  std::printf("result: %d\n", result);
  if (result != 0) return 1;
  std::unique_ptr<CVTDataFileAccess> reader(opened);
  std::string s;
  reader->GetOpenedPath(&s);
  std::printf("path: %s\n", s.c_str());
  std::fputs(DumpFileAccess(*reader).c_str(), stdout);
  if (records) {
    std::printf("records:\n");
    std::fputs(DumpRecordsCsv(*reader).c_str(), stdout);
  }
  return 0;
}
