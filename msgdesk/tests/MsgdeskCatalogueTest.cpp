// The catalogue as the user sees it: for every message number the box text, caption, icon and
// buttons that reach the message-box layer, and the numbers that show nothing.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "msgdesk/Msgdesk.h"
#include "platform/base/Text.h"
#include "platform/gui/testing/MessageBoxCapture.h"

namespace {

struct Message {
  int key;
  int severity;
  const char* text;
};

// Written out here rather than taken from the library, so a changed blank or letter fails.
const Message kCatalogue[] = {
    {10001, 2, "The graph has been changed. Save?"},
    {10002, 2, "Delete \"deleted data\" completly? Once deleted, restoring is not possible."},
    {10003, 2, "Delete graph?"},
    {10004, 2, "Delete instrument. OK?"},
    {10005, 2, "Normal exit has been made."},
    {10006, 2, "Switch management area. OK?"},
    {10007, 2, "Delete management area. OK? Search information and all imported files will be deleted."},
    {10008, 2, "A consistency check will be performed. OK? This processing may require some time."},
    {10009, 2, "Automatic import is cancelled during display and editing of the management area. OK?"},
    {10010, 2, "Delete all marks in the selected range. OK?"},
    {10011, 2, "A file with the same name exists. Overwrite?"},
    {10012, 2, "Display failed. No group with written messages."},
    {10013, 2, "A graph with the same name exists. Overwrite?"},
    {10014, 2, "A search condition with the same name exists. Overwrite?"},
    {10015, 2, "Rebuilding will be done. OK? Rebuilding may require some time."},
    {10016, 2, "This processing may require some time. OK?"},
    {10017, 2, "The processing has been aborted."},
    {10018, 2, " Move to deleted data. OK?"},
    {10019, 2, "Delete? OK?"},
    {10020, 2, "Will perform management area upgrade. This may take time."},
    {10021, 2, "The time axis compression rate has been adjusted."},
    {10101, 1, "The management area has reached the limit. Please create a new management area."},
    {10102, 1, "The corresponding instruments have reached the upper limit. "},
    {10105, 1,
     "The upper limit of tags for which waveform display is possible has been exceeded. Additional display is not possible for a part."},
    {10107, 1,
     "The hard disk does not have enough space to create backup data. Reserve space and then perform backup."},
    {10108, 1,
     "The hard disk does not have enough space for management area rebuilding. Reserve space and then try again."},
    {10109, 1,
     "Processing has been aborted. The incomplete data being processed cannot be used. Please discard them."},
    {10110, 1, "There are files which cannot be deleted because they are being used as graphs."},
    {10111, 1, "The object instrument file does not exist."},
    {10112, 1, "Please close all waveform windows before displaying or editing the management area."},
    {10113, 1, "Some files could not be imported. Please refer to the log for details."},
    {10114, 1, "The data exceeding the maximum data number could not be converted."},
    {10115, 1, "Duplicate name. "},
    {10116, 1,
     "The upper limit of groups for which waveform display is possible has been exceeded. Additional display is not possible for a part."},
    {10117, 1, "Summer time and winter time cannot be set to the same time."},
    {10118, 1, "No more tags can be added because the number of displayed tags has reached its limit."},
    {10119, 1,
     "No more time axis compression is possible because the level of time axis compression has reached its limit."},
    {10120, 1,
     "No more channels can be added because adding more channels would cause the time axis compression limit to be exceeded."},
    {10121, 1, "The management area version is different. Use the newest version."},
    {10201, 0, "Restoring of management area failed."},
    {10202, 0, "File could not be opened."},
    {10203, 0, "Too many files have been selected."},
    {10204, 0, "This folder cannot be selected."},
    {10205, 0, "This folder already has been selected."},
    {10206, 0, "An error has occurred during processing."},
    {10208, 0, "Backup of the management area has failed."},
    {10209, 0, "Consistency check for the management area has failed."},
    {10210, 0, "Rebuilding of the management area has failed."},
    {10211, 0, "The management area has been destroyed."},
    {10212, 0,
     "The waveform cannot be displayed. The index or files of the management area may have been destroyed."},
    {10213, 0, "The file could not be created."},
    {10214, 0, "There is not sufficient memory."},
    {10215, 0, "Import has been aborted because of insufficient hard disk capacity."},
    {10216, 0, "Access to the management area was not possible."},
    {10217, 0, "A fatal error has occurred. Restart the application."},
    {10218, 0, "An error has occurred during conversion processing."},
    {10219, 0, "File export failed."},
    {10220, 0, "Processing has failed."},
};

std::string Expected(const Message& m) {
  static const char* kLetters[] = {"E", "W", "M"};
  return kLetters[m.severity] + std::to_string(m.key) + "\n" + m.text;
}

TEST(MsgdeskCatalogue, EveryMessageShowsItsTextCaptionIconAndButtons) {
  static const char* kCaptions[] = {"Error", "Warning", "Information"};
  static const uint32_t kIcons[] = {vt::kMbIconError, vt::kMbIconWarning, vt::kMbIconInformation};
  vt::MessageBoxCapture capture(vt::kIdCancel);
  for (const Message& m : kCatalogue) {
    SCOPED_TRACE(m.key);
    capture.Clear();
    EXPECT_EQ(DisplayMessage(42, m.key, vt::kMbOkCancel), vt::kIdCancel);
    auto boxes = capture.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    const vt::MessageBoxRequest& box = boxes[0].request;
    EXPECT_EQ(box.owner, 42u);
    EXPECT_EQ(box.text, Expected(m));
    EXPECT_EQ(box.caption, kCaptions[m.severity]);
    EXPECT_EQ(box.type, vt::kMbOkCancel | kIcons[m.severity]);
    // The buttons speak the language the user had when the library was loaded.
    EXPECT_EQ(box.language, vt::SystemLanguageId());

    int severity = -1;
    char text[MSGDESK_TEXT_BUFFER];
    ASSERT_EQ(GetMessageInfo(m.key, &severity, text), 1);
    EXPECT_EQ(severity, m.severity);
    EXPECT_STREQ(text, m.text);
  }
  EXPECT_EQ(std::size(kCatalogue), 58u);
}

TEST(MsgdeskCatalogue, TextsKeepTheirBlanksQuotesAndSpelling) {
  vt::MessageBoxCapture capture;
  const struct {
    int key;
    const char* boxText;
  } cases[] = {
      {10018, "M10018\n Move to deleted data. OK?"},
      {10102, "W10102\nThe corresponding instruments have reached the upper limit. "},
      {10115, "W10115\nDuplicate name. "},
      {10002, "M10002\nDelete \"deleted data\" completly? Once deleted, restoring is not possible."},
  };
  for (const auto& c : cases) DisplayMessage(0, c.key, vt::kMbOk);
  auto boxes = capture.Boxes();
  ASSERT_EQ(boxes.size(), std::size(cases));
  for (std::size_t i = 0; i < boxes.size(); ++i) EXPECT_EQ(boxes[i].request.text, cases[i].boxText);
}

TEST(MsgdeskCatalogue, UnknownNumbersShowNothingAndReturnZero) {
  vt::MessageBoxCapture capture(vt::kIdOk);
  // Gaps inside the ranges, their neighbours, and numbers far outside.
  for (int key : {10022, 9999, 0, -1, 10000, 10103, 10104, 10106, 10122, 10207, 10221, 10301, 2147483647}) {
    SCOPED_TRACE(key);
    EXPECT_EQ(DisplayMessage(0, key, vt::kMbOkCancel), 0);
    EXPECT_EQ(DisplayMessage2(0, key, vt::kMbOkCancel, "extra"), 0);
    int severity = 77;
    char text[MSGDESK_TEXT_BUFFER];
    std::memset(text, 'x', sizeof text);
    EXPECT_EQ(GetMessageInfo(key, &severity, text), 0);
    EXPECT_EQ(severity, 77);
    EXPECT_EQ(text[0], 'x');
  }
  EXPECT_TRUE(capture.Boxes().empty());
}

}  // namespace
