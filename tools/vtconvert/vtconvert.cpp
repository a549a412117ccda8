// vtconvert: converts recorder data files into workbooks or text files with the program's own
// conversion job queue, shows a progress line while it runs and prints the converted-file log.
//   vtconvert FILE... --to xls|text --out DIR [--step N]
// Exit code: the queue's result (0 done, 1 a file could not be converted, 42 cancelled), 2 for
// a bad command line.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "export/VTFileConverter.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: vtconvert FILE... --to xls|text --out DIR [--step N]\n");
  return 2;
}

const char* ResultText(int result) {
  switch (result) {
    case vt::CONVERT_DONE:
      return "done";
    case vt::CONVERT_FAILED:
      return "failed";
    case vt::CONVERT_CANCELLED:
      return "cancelled";
    default:
      return "?";
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> files;
  std::string to, out;
  int step = 1;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if ((a == "--to" || a == "--out" || a == "--step") && i + 1 < argc) {
      const std::string value = argv[++i];
      if (a == "--to")
        to = value;
      else if (a == "--out")
        out = value;
      else
        step = std::atoi(value.c_str());
    } else if (a.rfind("--", 0) == 0) {
      return Usage();
    } else {
      files.push_back(a);
    }
  }
  if (files.empty() || out.empty() || (to != "xls" && to != "text") || step < 0) return Usage();

  std::error_code error;
  const std::string destination = std::filesystem::absolute(out, error).lexically_normal().string();
  if (error) return Usage();
  VTFileConverter queue;
  for (const std::string& f : files) {
    const std::string source = std::filesystem::absolute(f, error).lexically_normal().string();
    queue.AddJob(destination, error ? f : source, to == "text" ? 1 : 0, step);
  }
  queue.SetProgress([&](size_t done, size_t total, int result) {
    std::fprintf(stderr, "\r[%zu/%zu] %s: %s", done, total, files[done - 1].c_str(), ResultText(result));
    std::fprintf(stderr, done == total || result != vt::CONVERT_DONE ? "\n" : "\x1b[K");
    std::fflush(stderr);
  });
  const int result = queue.RunJobs();
  for (const std::string& path : queue.GetConvertedFileList()) std::printf("%s\n", path.c_str());
  if (result != vt::CONVERT_DONE) std::fprintf(stderr, "vtconvert: %s (%d)\n", ResultText(result), result);
  return result;
}
