// The message-box dialog itself: buttons of every set in their order with default and escape
// behaviour, labels in the user's language, icons, and text shown as plain text.
#include <gtest/gtest.h>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <string>
#include <vector>

#include "platform/base/Text.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/qt/MessageBoxButtons.h"
#include "platform/gui/qt/MessageBoxDialog.h"

namespace {

vt::MessageBoxRequest Request(uint32_t type, uint16_t language = vt::kLangEnglish,
                              std::string text = "M10003\nDelete graph?") {
  vt::MessageBoxRequest request;
  request.text = std::move(text);
  request.caption = "Information";
  request.type = type;
  request.language = language;
  return request;
}

std::vector<std::string> Labels(const vt::MessageBoxDialog& box) {
  std::vector<std::string> labels;
  for (QPushButton* button : box.Buttons()) labels.push_back(button->text().toStdString());
  return labels;
}

int DefaultIndex(const vt::MessageBoxDialog& box) {
  for (int i = 0; i < box.Buttons().size(); ++i)
    if (box.Buttons()[i]->isDefault()) return i;
  return -1;
}

// Shows the box, sends a key, and reports the id it closed with, or -1 when it stayed up.
int AnswerToKey(vt::MessageBoxDialog& box, Qt::Key key) {
  box.show();
  QTest::keyClick(&box, key);
  return box.isVisible() ? -1 : box.result();
}

TEST(MessageBoxDialog, ButtonSetsOrderDefaultAndEscape) {
  const struct {
    uint32_t type;
    std::vector<std::string> labels;
    std::vector<int> ids;
    int defaultIndex;
    int onEscape;  // -1: Esc does nothing, the close box is disabled
  } cases[] = {
      {vt::kMbOk, {"OK"}, {vt::kIdOk}, 0, vt::kIdOk},
      {vt::kMbOkCancel, {"OK", "Cancel"}, {vt::kIdOk, vt::kIdCancel}, 0, vt::kIdCancel},
      {vt::kMbOkCancel | vt::kMbDefButton2, {"OK", "Cancel"}, {vt::kIdOk, vt::kIdCancel}, 1, vt::kIdCancel},
      {vt::kMbAbortRetryIgnore | vt::kMbDefButton3,
       {"&Abort", "&Retry", "&Ignore"},
       {vt::kIdAbort, vt::kIdRetry, vt::kIdIgnore},
       2,
       -1},
      {vt::kMbYesNoCancel,
       {"&Yes", "&No", "Cancel"},
       {vt::kIdYes, vt::kIdNo, vt::kIdCancel},
       0,
       vt::kIdCancel},
      {vt::kMbYesNo | vt::kMbDefButton2, {"&Yes", "&No"}, {vt::kIdYes, vt::kIdNo}, 1, -1},
      // A default past the end of the set falls back to the first button.
      {vt::kMbYesNo | vt::kMbDefButton3, {"&Yes", "&No"}, {vt::kIdYes, vt::kIdNo}, 0, -1},
      {vt::kMbRetryCancel | vt::kMbDefButton4,
       {"&Retry", "Cancel"},
       {vt::kIdRetry, vt::kIdCancel},
       0,
       vt::kIdCancel},
      {vt::kMbCancelTryContinue,
       {"Cancel", "&Try Again", "&Continue"},
       {vt::kIdCancel, vt::kIdTryAgain, vt::kIdContinue},
       0,
       vt::kIdCancel},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    vt::MessageBoxDialog box(Request(c.type));
    EXPECT_EQ(Labels(box), c.labels);
    ASSERT_EQ(box.Buttons().size(), int(c.ids.size()));
    for (int i = 0; i < box.Buttons().size(); ++i) EXPECT_EQ(box.ButtonId(i), c.ids[i]);
    EXPECT_EQ(DefaultIndex(box), c.defaultIndex);
    EXPECT_EQ(AnswerToKey(box, Qt::Key_Escape), c.onEscape);
    // The close box follows Esc: it is offered only where Esc answers, and refused elsewhere.
    EXPECT_EQ(bool(box.windowFlags() & Qt::WindowCloseButtonHint), c.onEscape != -1);
    box.show();
    EXPECT_EQ(box.close(), c.onEscape != -1);
    if (c.onEscape != -1) {
      EXPECT_EQ(box.result(), c.onEscape);
    }
    box.hide();
  }
}

TEST(MessageBoxDialog, EnterAndClicksAnswerWithTheButtonsId) {
  {
    vt::MessageBoxDialog box(Request(vt::kMbYesNoCancel | vt::kMbDefButton2));
    EXPECT_EQ(AnswerToKey(box, Qt::Key_Return), vt::kIdNo);
  }
  {
    vt::MessageBoxDialog box(Request(vt::kMbAbortRetryIgnore));
    box.show();
    QTest::mouseClick(box.Buttons()[2], Qt::LeftButton);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), vt::kIdIgnore);
  }
}

TEST(MessageBoxDialog, LabelsFollowTheLanguageAndFallBackToEnglish) {
  const struct {
    uint16_t language;
    uint32_t type;
    std::vector<std::string> labels;
  } cases[] = {
      {vt::kLangGerman, vt::kMbOkCancel, {"OK", "Abbrechen"}},
      {vt::kLangGerman, vt::kMbYesNo, {"&Ja", "&Nein"}},
      {vt::kLangGerman, vt::kMbAbortRetryIgnore, {"Abbrechen", "Wiederholen", "Ignorieren"}},
      // Qt has no standard text for these two, so they stay English.
      {vt::kLangGerman, vt::kMbCancelTryContinue, {"Abbrechen", "&Try Again", "&Continue"}},
      {vt::kLangJapanese,
       vt::kMbYesNoCancel,
       {"\xE3\x81\xAF\xE3\x81\x84(&Y)", "\xE3\x81\x84\xE3\x81\x84\xE3\x81\x88(&N)",
        "\xE3\x82\xAD\xE3\x83\xA3\xE3\x83\xB3\xE3\x82\xBB\xE3\x83\xAB"}},
      // Portuguese has only the Brazilian file.
      {vt::kLangPortuguese, vt::kMbOkCancel, {"OK", "Cancelar"}},
      // A language without a file (Greek), and the neutral language when the user's is English.
      {0x08, vt::kMbYesNo, {"&Yes", "&No"}},
      {vt::kLangEnglish, vt::kMbOkCancel, {"OK", "Cancel"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.language);
    vt::MessageBoxDialog box(Request(c.type, c.language));
    EXPECT_EQ(Labels(box), c.labels);
  }
  // The neutral language stands for the user's language.
  vt::SetSystemLanguageOverride(vt::kLangGerman);
  vt::MessageBoxDialog neutral(Request(vt::kMbOkCancel, vt::kLangNeutral));
  vt::SetSystemLanguageOverride(0xFFFF);
  EXPECT_EQ(Labels(neutral), (std::vector<std::string>{"OK", "Abbrechen"}));
}

TEST(MessageBoxDialog, IconsBySeverityAndPlainText) {
  const struct {
    uint32_t icon;
    bool shown;
  } cases[] = {
      {0, false},
      {vt::kMbIconError, true},
      {vt::kMbIconQuestion, true},
      {vt::kMbIconWarning, true},
      {vt::kMbIconInformation, true},
      // A caller's icon combined with the severity's gives a value that names no icon.
      {vt::kMbIconQuestion | vt::kMbIconInformation, false},
      {0x50, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.icon);
    vt::MessageBoxDialog box(Request(vt::kMbOk | c.icon));
    EXPECT_EQ(box.IconLabel() != nullptr, c.shown);
    if (c.shown) {
      EXPECT_FALSE(box.IconLabel()->pixmap().isNull());
    }
  }
  // Markup, entities and ampersands are shown as typed; "\n" breaks the line.
  const std::string text = "E10219\nFile export failed.\n/tmp/<b>bold</b> &amp; R&D.xls";
  vt::MessageBoxDialog box(Request(vt::kMbOk, vt::kLangEnglish, text));
  EXPECT_EQ(box.TextLabel()->textFormat(), Qt::PlainText);
  EXPECT_EQ(box.TextLabel()->text().toStdString(), text);
  EXPECT_EQ(box.windowTitle(), "Information");
}

TEST(MessageBoxDialog, LongLinesAreBrokenToStayOnTheScreen) {
  const int screenWidth = QGuiApplication::primaryScreen()->availableGeometry().width();
  const std::string texts[] = {
      "W10120\nNo more channels can be added because adding more channels would cause the time axis "
      "compression limit to be exceeded.",
      "E10219\nFile export failed.\n/data/" + std::string(1500, 'x') + "/file.xls",
  };
  for (const std::string& text : texts) {
    vt::MessageBoxDialog box(Request(vt::kMbOkCancel | vt::kMbIconError, vt::kLangEnglish, text));
    box.show();
    EXPECT_LE(box.width(), screenWidth);
    QString shown = box.TextLabel()->text();
    EXPECT_GT(shown.count('\n'), QString::fromStdString(text).count('\n'));
    // Only line breaks were added.
    EXPECT_EQ(shown.remove('\n').toStdString(), QString::fromStdString(text).remove('\n').toStdString());
    box.hide();
  }
}

}  // namespace
