// Common dialogs: the file-name buffer rule of multiple selections (one character past the
// limit refuses the whole selection), the program's filter strings, and the scripted provider.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gui/CommonDialogs.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/StringTable.h"
#include "platform/gui/testing/ScriptedCommonDialogs.h"

namespace vt {
namespace {

// n files of one folder whose packed length is exactly total characters.
std::vector<std::string> SelectionOfLength(std::size_t total) {
  const std::string folder = "/data/in";  // 8 + 1
  std::vector<std::string> paths;
  std::size_t used = folder.size() + 1 + 1;  // folder, its terminator and the final one
  while (used + 101 <= total - 101 || paths.size() < 2) {
    paths.push_back(folder + "/" + std::string(100, 'a' + char(paths.size() % 26)) +
                    std::to_string(paths.size()));
    used += paths.back().size() - folder.size() - 1 + 1;
  }
  const std::size_t rest = total - used;  // the last name with its terminator
  paths.push_back(folder + "/" + std::string(rest - 1, 'z'));
  return paths;
}

TEST(CommonDialogsTest, AMultipleSelectionMustFitTheFileNameBuffer) {
  for (std::size_t total : {kFileNameBufferChars, kFileNameBufferChars + 1}) {
    SCOPED_TRACE(total);
    const std::vector<std::string> paths = SelectionOfLength(total);
    ASSERT_EQ(PackedSelectionLength(paths), total);
    ScriptedCommonDialogs script;
    script.QueueFiles(paths);
    OpenFileRequest request;
    request.multiple = true;
    const OpenFileResult result = OpenFiles(request);
    const bool fits = total <= kFileNameBufferChars;
    EXPECT_EQ(result.button, fits ? kIdOk : kIdCancel);
    EXPECT_EQ(result.tooManyFiles, !fits);
    EXPECT_EQ(result.paths.size(), fits ? paths.size() : 0u);
  }
  // One file takes its path and two terminators; a single selection has no limit to check.
  EXPECT_EQ(PackedSelectionLength({"/a/b.dae"}), 10u);
  ScriptedCommonDialogs script;
  script.QueueFiles({"/x/" + std::string(kFileNameBufferChars, 'f')});
  EXPECT_EQ(OpenFiles(OpenFileRequest{}).button, kIdOk);
}

TEST(CommonDialogsTest, TheDataFileFilterReadsAsThreeFilters) {
  const std::vector<FileFilter> filters = ParseFileFilter(LoadString(400));
  ASSERT_EQ(filters.size(), 3u);
  EXPECT_EQ(filters[0].text, "All Data Files (*.dae, *.dev, *.dad, *.dds)");
  EXPECT_EQ(filters[0].patterns, (std::vector<std::string>{"*.dae", "*.dev", "*.dad", "*.dds"}));
  EXPECT_EQ(filters[1].patterns, (std::vector<std::string>{"*.dae", "*.dev"}));
  EXPECT_EQ(filters[2].patterns, (std::vector<std::string>{"*.dad", "*.dds"}));
}

TEST(CommonDialogsTest, TheFolderBoxIsOnlyReportedWhenShown) {
  ScriptedCommonDialogs script;
  script.QueueFolder("/data/in", true);
  script.QueueFolder("/data/in", true);
  FolderRequest request;
  request.showCheckBox = true;
  EXPECT_TRUE(ChooseFolder(request).checked);
  request.showCheckBox = false;
  const FolderResult plain = ChooseFolder(request);
  EXPECT_EQ(plain.button, kIdOk);
  EXPECT_FALSE(plain.checked);
  EXPECT_EQ(ChooseFolder(request).button, kIdCancel);  // the script has run out
  EXPECT_EQ(script.FolderRequests().size(), 3u);
}

}  // namespace
}  // namespace vt
