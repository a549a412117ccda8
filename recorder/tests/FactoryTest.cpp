// The reader factory: the reader chosen by the last path component's extension (whatever the
// file holds), results and ownership of failed opens, and the guard that turns an exception
// escaping Open into a result and deletes the reader.
#include <gtest/gtest.h>

#include <stdexcept>

#include "recorder/FileAccessFactory.h"
#include "recorder/newer/CVTQRAdvFileAccess.h"
#include "recorder/older/CVTQRFileAccess.h"
#include "recorder/tests/OlderTestSupport.h"
#include "testing/TempFolder.h"
#include "tools/recgen/NewerRecorderFile.h"

namespace {

enum class Content { OlderEvent, OlderDisplay, NewerEvent, NewerDisplay };
enum class Reader { None, Older, Newer };

std::vector<uint8_t> Bytes(Content c) {
  switch (c) {
    case Content::OlderEvent:
      return recgen::WriteOlder(recgen::SampleOlderModel(recgen::OlderLayout::Fixed, 0, 5)).bytes;
    case Content::OlderDisplay:
      return recgen::WriteOlder(recgen::SampleOlderModel(recgen::OlderLayout::Directory, 1, 5)).bytes;
    case Content::NewerEvent:
      return recgen::WriteNewerFile(recgen::SampleNewerFile(1, false)).bytes;
    case Content::NewerDisplay:
      return recgen::WriteNewerFile(recgen::SampleNewerFile(2, true)).bytes;
  }
  return {};
}

TEST(ReaderFactory, ChoosesTheReaderByTheLastExtension) {
  vt_test::ScopedTimeZone utc("UTC");
  struct Case {
    const char* relative;
    Content content;
    int result;
    Reader reader;
    int kind;
  };
  const Case cases[] = {
      {"a.DEV", Content::OlderEvent, 0, Reader::Older, 0},
      {"b.dds", Content::OlderEvent, 0, Reader::Older, 0},  // the kind comes from the file
      {"c.Dds", Content::OlderDisplay, 0, Reader::Older, 1},
      {"d.dev", Content::OlderDisplay, 0, Reader::Older, 1},
      {"e.DAE", Content::NewerEvent, 0, Reader::Newer, 0},
      {"f.dad", Content::NewerDisplay, 0, Reader::Newer, 1},
      {"x.DAD/g.DDS", Content::OlderDisplay, 0, Reader::Older, 1},
      {"y.DEV/h.DAE", Content::NewerEvent, 0, Reader::Newer, 0},
      {"i.DAE", Content::OlderEvent, 30, Reader::None, 0},  // the newer reader refuses it
      {"j.DEV", Content::NewerEvent, 30, Reader::None, 0},
      {"k.TXT", Content::OlderEvent, 30, Reader::None, 0},
      {"l.DAE.bak", Content::NewerEvent, 30, Reader::None, 0},
      {"m.DEVX", Content::OlderEvent, 30, Reader::None, 0},
      {"DEV", Content::OlderEvent, 30, Reader::None, 0},
  };
  OlderTempDir dir;
  for (const Case& c : cases) {
    std::string path = dir.Path() + "/" + c.relative;
    ASSERT_TRUE(vt::CreateFolders(path.substr(0, path.rfind('/'))));
    std::vector<uint8_t> bytes = Bytes(c.content);
    ASSERT_TRUE(vt_test::WriteFileBytes(path, std::string(bytes.begin(), bytes.end())));
    CVTDataFileAccess* reader = reinterpret_cast<CVTDataFileAccess*>(16);
    EXPECT_EQ(CreateFileAccess(path, &reader), c.result) << c.relative;
    switch (c.reader) {
      case Reader::None:
        EXPECT_EQ(reader, nullptr) << c.relative;
        break;
      case Reader::Older:
        EXPECT_NE(dynamic_cast<CVTQRFileAccess*>(reader), nullptr) << c.relative;
        break;
      case Reader::Newer:
        EXPECT_NE(dynamic_cast<CVTQRAdvFileAccess*>(reader), nullptr) << c.relative;
        break;
    }
    if (reader) {
      EXPECT_EQ(reader->GetDataKind(), c.kind) << c.relative;
      std::string opened;
      reader->GetOpenedPath(&opened);
      EXPECT_EQ(opened, path);
    }
    delete reader;
  }
  CVTDataFileAccess* reader = nullptr;
  EXPECT_EQ(CreateFileAccess(dir.Path() + "/missing.DEV", &reader), 30);
  EXPECT_EQ(reader, nullptr);
  EXPECT_EQ(CreateFileAccess(dir.Path() + "/a.DEV", nullptr), 30);
}

// A reader for the guard: Open does what the test asks, and instances are counted.
class ScriptedReader : public CVTDataFileAccess {
 public:
  enum class Mode { Succeed, Fail, Throw, ThrowBadAlloc, ThrowInt };
  explicit ScriptedReader(Mode mode) : m_mode(mode) { ++alive; }
  ~ScriptedReader() override { --alive; }
  int Open(const std::string&) override {
    switch (m_mode) {
      case Mode::Succeed:
        return 0;
      case Mode::Fail:
        return 33;
      case Mode::Throw:
        throw std::runtime_error("damaged");
      case Mode::ThrowBadAlloc:
        throw std::bad_alloc();
      case Mode::ThrowInt:
        throw 7;
    }
    return 0;
  }
  static int alive;

 private:
  Mode m_mode;
};
int ScriptedReader::alive = 0;

TEST(ReaderFactory, GuardTurnsExceptionsIntoResultsAndDeletesTheReader) {
  using Mode = ScriptedReader::Mode;
  const std::pair<Mode, int> cases[] = {{Mode::Succeed, 0},
                                        {Mode::Fail, 33},
                                        {Mode::Throw, 31},
                                        {Mode::ThrowInt, 31},
                                        {Mode::ThrowBadAlloc, 1}};
  for (auto [mode, result] : cases) {
    CVTDataFileAccess* out = reinterpret_cast<CVTDataFileAccess*>(16);
    EXPECT_EQ(OpenOrDiscardFileAccess(new ScriptedReader(mode), "/nowhere/f.DEV", &out), result);
    EXPECT_EQ(out == nullptr, result != 0);
    EXPECT_EQ(ScriptedReader::alive, result == 0 ? 1 : 0);
    delete out;
    EXPECT_EQ(ScriptedReader::alive, 0);
  }
  ScriptedReader direct(Mode::Throw);
  EXPECT_EQ(OpenFileAccessGuarded(&direct, "f.DEV"), 31);
  EXPECT_EQ(OpenFileAccessGuarded(nullptr, "f.DEV"), 30);
  EXPECT_EQ(NewFileAccessFor("/a/b.txt"), nullptr);
}

}  // namespace
