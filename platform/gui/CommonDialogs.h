// The common dialogs: choosing files to open, a file to save and a folder (with an optional
// "Subfolder" box). What answers is the installed provider: the real dialogs by default; tests
// install a scripted one that sees each request and chooses the answer without showing
// anything.
//
// Filters are given as the program keeps them: "text|patterns|text|patterns||" with patterns
// separated by ';'. Linux names are case-sensitive, so every pattern matches in both cases.
// A selection of many files keeps the limit the program's file-name buffer had: the folder,
// then each name, each followed by a terminator, then one more, in 26,101 characters at most;
// a longer selection is refused (tooManyFiles) and opens nothing.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/WindowHandles.h"
#include "platform/gui/PrintInfo.h"
#include "platform/gui/PrinterSetup.h"

namespace vt {

struct FileFilter {
  std::string text;
  std::vector<std::string> patterns;  // "*.dae" ...
};

struct OpenFileRequest {
  WindowHandle owner = 0;
  std::string title;  // empty: the dialog's own
  std::string filter;
  std::string folder;  // where the dialog starts; empty: the current folder
  bool multiple = false;
};

struct OpenFileResult {
  int button = 2;  // kIdOk or kIdCancel
  std::vector<std::string> paths;
  bool tooManyFiles = false;
};

struct SaveFileRequest {
  WindowHandle owner = 0;
  std::string title;
  std::string filter;
  std::string path;  // the proposed file
};

struct SaveFileResult {
  int button = 2;
  std::string path;
};

struct FolderRequest {
  WindowHandle owner = 0;
  std::string title;        // the instruction; empty: none
  std::string startFolder;  // empty: none
  bool showCheckBox = false;
  bool initialCheck = false;
};

struct FolderResult {
  int button = 2;
  std::string path;
  bool checked = false;  // the box's state when the dialog closed (false without a box)
};

// The print dialog: the printer and the range. Page numbers are plain integers, so a range far
// beyond 65,535 pages can be typed.
struct PrintDialogRequest {
  WindowHandle owner = 0;
  int minPage = 1;
  int maxPage = kPrintPagesUnknown;
  int fromPage = 1;
  int toPage = kPrintPagesUnknown;
  bool selectionEnabled = false;
  PrinterSetup setup;
};

struct PrintDialogResult {
  int button = 2;
  PrintRange range = PrintRange::All;
  int fromPage = 1;
  int toPage = kPrintPagesUnknown;
  PrinterSetup setup;  // the printer chosen
};

// Print Setup: the printer, the paper and its orientation.
struct PageSetupRequest {
  WindowHandle owner = 0;
  PrinterSetup setup;
};

struct PageSetupResult {
  int button = 2;
  PrinterSetup setup;
};

class CommonDialogs {
 public:
  virtual ~CommonDialogs() = default;
  // The user's choice; the buffer limit is applied by OpenFiles below, not here.
  virtual OpenFileResult ChooseFilesToOpen(const OpenFileRequest& request) = 0;
  // Never asks before an existing file is chosen.
  virtual SaveFileResult ChooseFileToSave(const SaveFileRequest& request) = 0;
  virtual FolderResult ChooseFolder(const FolderRequest& request) = 0;
  virtual PrintDialogResult ChoosePrint(const PrintDialogRequest& request) = 0;
  virtual PageSetupResult ChoosePageSetup(const PageSetupRequest& request) = 0;
};

// The real dialogs, modal over the owner's window.
class QtCommonDialogs : public CommonDialogs {
 public:
  OpenFileResult ChooseFilesToOpen(const OpenFileRequest& request) override;
  SaveFileResult ChooseFileToSave(const SaveFileRequest& request) override;
  FolderResult ChooseFolder(const FolderRequest& request) override;
  PrintDialogResult ChoosePrint(const PrintDialogRequest& request) override;
  PageSetupResult ChoosePageSetup(const PageSetupRequest& request) override;
};

// Installs a provider (null: the real dialogs again) and returns the previous one (null when it
// was the real one). The caller keeps ownership.
CommonDialogs* SetCommonDialogs(CommonDialogs* provider);
CommonDialogs& CurrentCommonDialogs();

// The files to open through the current provider, with the buffer limit applied to a multiple
// selection: a selection that does not fit gives Cancel, no paths and tooManyFiles.
OpenFileResult OpenFiles(const OpenFileRequest& request);
SaveFileResult SaveFile(const SaveFileRequest& request);
FolderResult ChooseFolder(const FolderRequest& request);

constexpr std::size_t kFileNameBufferChars = 26101;
// The characters a selection takes in the file-name buffer (see above); one file takes its
// path and two terminators.
std::size_t PackedSelectionLength(const std::vector<std::string>& paths);
std::vector<FileFilter> ParseFileFilter(std::string_view filter);

}  // namespace vt
