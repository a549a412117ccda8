// The two conversion dialogs driven through their gadgets: titles by format, the step field's
// limits and the pooled root that keeps it, the folder and output-file choosers, the extension
// the output file gets, and the options OK (or Enter) hands back.
#include <gtest/gtest.h>

#include <climits>
#include <regex>
#include <string>

#include "document/ui/CDlgDataConvert.h"
#include "document/ui/CDlgFileConvert.h"
#include "document/ui/testing/DialogTestFixture.h"
#include "platform/gui/testing/ScriptedCommonDialogs.h"

namespace {

using dialog_test::Click;
using dialog_test::DialogsTest;

std::string TextOf(CGRoot* root, int id) {
  std::string text;
  static_cast<CGPrimitive*>(root->FindById(id))->GetText(&text);
  return text;
}

CGPrimitive* GadgetOf(CGRoot* root, int id) { return static_cast<CGPrimitive*>(root->FindById(id)); }

TEST_F(DialogsTest, FileConvertTitleStepLimitsAndPooledRoot) {
  struct Case {
    int format;
    const char* typed;
    int step;
    const char* title;
  };
  const Case cases[] = {{0, "0", 1, "To Excel[File]"},
                        {1, "abc", 1, "To Text[File]"},
                        {0, "99999999999", INT_MAX, "To Excel[File]"},
                        {1, "25", 25, "To Text[File]"}};
  CGVTFileConvertRoot* first = nullptr;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    CDlgFileConvert dialog(0);
    dialog.m_format = c.format;
    dialog.m_folder = "/conv/" + std::string(c.typed);
    vt::OnNextDialog(CDlgFileConvert::kTemplateId, [&](vt::DialogWindow& d) {
      EXPECT_EQ(d.GetWindowText(), c.title);
      EXPECT_EQ(TextOf(dialog.m_root, CGVTFileConvertRoot::kFolderId), dialog.m_folder);
      GadgetOf(dialog.m_root, CGVTFileConvertRoot::kStepId)->SetEditText(c.typed);
      Click(d, GadgetOf(dialog.m_root, CGVTFileConvertRoot::kOkId));
    });
    ASSERT_EQ(dialog.DoModal(), 1);
    EXPECT_EQ(dialog.m_root->m_stepCount, c.step);
    EXPECT_EQ(dialog.m_root->m_folder, dialog.m_folder);
    if (!first) first = dialog.m_root;
    EXPECT_EQ(dialog.m_root, first);  // the same root comes back from the pool
  }
  // A pooled root shows the last step; Cancel leaves the results alone.
  CDlgFileConvert dialog(0);
  dialog.m_folder = "/conv/again";
  vt::OnNextDialog(CDlgFileConvert::kTemplateId, [&](vt::DialogWindow& d) {
    int shown = 0;
    GadgetOf(dialog.m_root, CGVTFileConvertRoot::kStepId)->GetValue(&shown);
    EXPECT_EQ(shown, 25);
    EXPECT_EQ(TextOf(dialog.m_root, CGVTFileConvertRoot::kStepId), "25");  // not zero-padded
    Click(d, GadgetOf(dialog.m_root, CGVTFileConvertRoot::kCancelId));
  });
  EXPECT_EQ(dialog.DoModal(), 2);
}

TEST_F(DialogsTest, FileConvertFolderChooser) {
  vt::ScriptedCommonDialogs script;
  script.QueueFolderCancel();
  script.QueueFolder("/picked/out", false);
  CDlgFileConvert dialog(0);
  dialog.m_folder = "/start";
  vt::OnNextDialog(CDlgFileConvert::kTemplateId, [&](vt::DialogWindow& d) {
    Click(d, GadgetOf(dialog.m_root, CGVTFileConvertRoot::kBrowseId));
    EXPECT_EQ(TextOf(dialog.m_root, CGVTFileConvertRoot::kFolderId), "/start");  // cancelled
    Click(d, GadgetOf(dialog.m_root, CGVTFileConvertRoot::kBrowseId));
    EXPECT_EQ(TextOf(dialog.m_root, CGVTFileConvertRoot::kFolderId), "/picked/out");
    Click(d, GadgetOf(dialog.m_root, CGVTFileConvertRoot::kOkId));
  });
  ASSERT_EQ(dialog.DoModal(), 1);
  EXPECT_EQ(dialog.m_root->m_folder, "/picked/out");
  ASSERT_EQ(script.FolderRequests().size(), 2u);
  EXPECT_EQ(script.FolderRequests()[0].startFolder, "/start");
  EXPECT_EQ(script.FolderRequests()[1].startFolder, "/start");
  EXPECT_FALSE(script.FolderRequests()[0].showCheckBox);
  EXPECT_TRUE(script.FolderRequests()[0].title.empty());
}

SDataConvertOption SomeOption() {
  SDataConvertOption o;
  // 2010-05-10 09:30:15.250 UTC
  o.startTime = TickTime((int64_t(1273483815) + 11644473600LL) * 10000000 + 2500000);
  o.stopTime = TickTime(o.startTime.ticks + int64_t(3600) * 10000000);
  o.groupFrom = 1;
  o.groupTo = 4;
  o.cellWithoutValue = 1;
  o.outputPath = "/out/graph.xls";
  o.format = 0;
  return o;
}

TEST_F(DialogsTest, DataConvertShowsTheOptionsAndOkReturnsTheGadgets) {
  for (bool enter : {false, true}) {
    SCOPED_TRACE(enter ? "Enter" : "OK button");
    CDlgDataConvert dialog(0);
    dialog.SetOption(SomeOption());
    vt::OnNextDialog(CDlgDataConvert::kTemplateId, [&](vt::DialogWindow& d) {
      EXPECT_EQ(d.GetWindowText(), "To Excel[Trend]");
      const std::regex time(R"(\d{4}/\d{2}/\d{2} \d{2}:\d{2}:15\.250)");
      EXPECT_TRUE(std::regex_match(TextOf(dialog.m_root, CGVTDataConvertRoot::kStartId), time));
      EXPECT_EQ(TextOf(dialog.m_root, CGVTDataConvertRoot::kGroupFromId), "2");
      EXPECT_EQ(TextOf(dialog.m_root, CGVTDataConvertRoot::kGroupToId), "5");
      EXPECT_EQ(TextOf(dialog.m_root, CGVTDataConvertRoot::kPathId), "/out/graph.xls");
      int cell = -1;
      GadgetOf(dialog.m_root, CGVTDataConvertRoot::kCellId)->GetValue(&cell);
      EXPECT_EQ(cell, 1);
      GadgetOf(dialog.m_root, CGVTDataConvertRoot::kGroupFromId)->SetText("1");
      GadgetOf(dialog.m_root, CGVTDataConvertRoot::kGroupToId)->SetText("3");
      GadgetOf(dialog.m_root, CGVTDataConvertRoot::kCellId)->SetValue(0);
      if (enter)
        dialog.OnOK();
      else
        Click(d, GadgetOf(dialog.m_root, CGVTDataConvertRoot::kOkId));
    });
    ASSERT_EQ(dialog.DoModal(), 1);
    SDataConvertOption out;
    dialog.GetOption(&out);
    EXPECT_EQ(out.groupFrom, 0);
    EXPECT_EQ(out.groupTo, 2);
    EXPECT_EQ(out.cellWithoutValue, 0);
    EXPECT_EQ(out.outputPath, "/out/graph.xls");
    EXPECT_EQ(out.startTime.ticks, SomeOption().startTime.ticks);
  }
  // Not a number: group 0 - 1 as typed; the document limits it later.
  CDlgDataConvert dialog(0);
  dialog.SetOption(SomeOption());
  vt::OnNextDialog(CDlgDataConvert::kTemplateId, [&](vt::DialogWindow& d) {
    GadgetOf(dialog.m_root, CGVTDataConvertRoot::kGroupFromId)->SetText("x");
    Click(d, GadgetOf(dialog.m_root, CGVTDataConvertRoot::kOkId));
  });
  ASSERT_EQ(dialog.DoModal(), 1);
  SDataConvertOption out;
  dialog.GetOption(&out);
  EXPECT_EQ(out.groupFrom, -1);
}

TEST_F(DialogsTest, DataConvertOutputFileGetsTheFormatsExtension) {
  struct Case {
    int format;
    const char* chosen;
    const char* shown;
  };
  const Case cases[] = {{0, "/out/data", "/out/data.xls"},
                        {0, "/out/data.xls.bak", "/out/data.xls.bak"},
                        {1, "/out/data.xls", "/out/data.xls.txt"},
                        {1, "/out/data.txt", "/out/data.txt"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen);
    vt::ScriptedCommonDialogs script;
    script.QueueSave(c.chosen);
    CDlgDataConvert dialog(0);
    dialog.m_format = c.format;
    dialog.SetOption(SomeOption());
    vt::OnNextDialog(CDlgDataConvert::kTemplateId, [&](vt::DialogWindow& d) {
      EXPECT_EQ(d.GetWindowText(), c.format ? "To Text[Trend]" : "To Excel[Trend]");
      Click(d, GadgetOf(dialog.m_root, CGVTDataConvertRoot::kBrowseId));
      EXPECT_EQ(TextOf(dialog.m_root, CGVTDataConvertRoot::kPathId), c.shown);
      Click(d, GadgetOf(dialog.m_root, CGVTDataConvertRoot::kOkId));
    });
    ASSERT_EQ(dialog.DoModal(), 1);
    SDataConvertOption out;
    dialog.GetOption(&out);
    EXPECT_EQ(out.outputPath, c.shown);
    ASSERT_EQ(script.SaveRequests().size(), 1u);
    EXPECT_EQ(script.SaveRequests()[0].path, "/out/graph.xls");
    EXPECT_EQ(script.SaveRequests()[0].title, "File name change");
    EXPECT_EQ(script.SaveRequests()[0].filter,
              c.format ? "Text Files (*.txt)|*.txt||" : "Excel Files (*.xls)|*.xls||");
  }
  // Cancel in the chooser keeps the path.
  vt::ScriptedCommonDialogs script;
  CDlgDataConvert dialog(0);
  dialog.SetOption(SomeOption());
  vt::OnNextDialog(CDlgDataConvert::kTemplateId, [&](vt::DialogWindow& d) {
    Click(d, GadgetOf(dialog.m_root, CGVTDataConvertRoot::kBrowseId));
    Click(d, GadgetOf(dialog.m_root, CGVTDataConvertRoot::kCancelId));
  });
  EXPECT_EQ(dialog.DoModal(), 2);
  SDataConvertOption out;
  dialog.GetOption(&out);
  EXPECT_EQ(out.outputPath, "/out/graph.xls");
}

}  // namespace
