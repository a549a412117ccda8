// Text and integer fields: editing through the fake in-place editors (events, the stored text,
// Tab carrying the editor on), the length limit, number parsing and range, masked display and
// the skinned colours.
#include <gtest/gtest.h>

#include <limits>

#include "gadget/GRoot.h"
#include "gadget/GTextField.h"
#include "gadget/testing/WidgetTestEnv.h"
#include "platform/gui/RecordingDc.h"
#include "platform/gui/testing/FakeInPlaceControls.h"

namespace gadget_test {
namespace {

class FieldTest : public WidgetEnv {
 protected:
  vt::FakeInPlaceEdit* Edit(int id) {
    for (vt::FakeInPlaceEdit* e : host->Edits())
      if (e->Id() == id) return e;
    return nullptr;
  }
};

TEST_F(FieldTest, ClickOpensTheEditorAndEnterStoresTheCutTextWithItsEvents) {
  auto* f = new CGSkText(root, 10, 10, 100, 20, 0, 0, 0, 5);
  for (int code : {GEVENT_EDIT_BEGIN, GEVENT_EDIT_STORE, GEVENT_CHANGED, GEVENT_EDIT_END})
    AddLogEvent(f, code, &log);
  f->SetText("abc");
  Repaint();
  Down(20, 15);
  Up(20, 15);
  vt::FakeInPlaceEdit* edit = Edit(kTextEditorId);
  ASSERT_NE(edit, nullptr);
  ASSERT_TRUE(edit->IsVisible());
  EXPECT_EQ(edit->Text(), "abc");
  edit->Type("defghij");
  edit->PressKey(vt::kVkReturn);
  host->Pump();
  std::string text;
  f->GetEditText(&text);
  EXPECT_EQ(text, "defgh");
  EXPECT_EQ(log, (Log{"event 12", "event 7", "event 1", "event 11"}));
  // A release outside the field opens nothing.
  Down(150, 80);
  Up(20, 15);
  EXPECT_FALSE(edit->IsVisible());
}

TEST_F(FieldTest, TabInTheLastFieldOpensTheEditorOnTheFirst) {
  auto* first = new CGSkText(root, 10, 10, 80, 20, 0, 0, 0, 0);
  auto* second = new CGSkIntValue(root, 10, 40, 80, 20, 0, GSTYLE_ACTIVE, 0, 0, 1, 1000, 1, 0);
  AddLogEvent(first, GEVENT_EDIT_BEGIN, &log);
  second->BeginEdit();
  vt::FakeInPlaceEdit* edit = Edit(kTextEditorId);
  ASSERT_TRUE(edit->IsVisible());
  edit->Type("2000");
  edit->PressKey(vt::kVkTab);
  host->Pump();
  int v = 0;
  second->GetValue(&v);
  EXPECT_EQ(v, 1000);
  EXPECT_EQ(log, (Log{"event 12"}));
  EXPECT_TRUE(edit->IsVisible());
  EXPECT_EQ(edit->Bounds(), (vt::Rect{10, 10, 90, 30}));
  // Shift+Tab goes back to the integer field; Enter ends there.
  desktop->keysDown.insert(vt::kVkShift);
  edit->PressKey(vt::kVkTab);
  desktop->keysDown.clear();
  host->Pump();
  EXPECT_EQ(edit->Bounds(), (vt::Rect{10, 40, 90, 60}));
  edit->PressKey(vt::kVkReturn);
  host->Pump();
  EXPECT_FALSE(edit->IsVisible());
}

TEST_F(FieldTest, MaskedFieldEditsInThePasswordEditorAndShowsOneStarPerByte) {
  auto* f = new CGText(root, 10, 10, 100, 20, 0, 0, 0xFFFFFF, 0);
  f->SetStyle(GSTYLE_ACTIVE | GSTYLE_MASKED);
  f->SetText("abc");
  EXPECT_EQ(f->ShownText(), "***");
  f->BeginEdit();
  EXPECT_TRUE(Edit(kPasswordEditorId)->IsVisible());
  f->SetText("\xC3\xA9t\xC3\xA9");
  EXPECT_EQ(f->ShownText(), "*****");
}

TEST_F(FieldTest, TextLimitNeverSplitsACharacter) {
  auto* f = new CGText(root, 0, 0, 100, 20, 0, 0, 0, 5);
  struct Case {
    const char* in;
    const char* out;
  };
  for (const Case c : {Case{"abcdefg", "abcde"}, Case{"abcd\xC3\xA9", "abcd"}, Case{"ab", "ab"}}) {
    f->SetEditText(c.in);
    std::string t;
    f->GetText(&t);
    EXPECT_EQ(t, c.out) << c.in;
  }
}

TEST_F(FieldTest, IntegerTextsAreCutToTenBytesLimitedTo32BitsThenToTheRange) {
  struct Case {
    const char* text;
    int minimum, maximum, expected;
  };
  const Case cases[] = {
      {"2000", 1, 1000, 1000},
      {"abc", 1, 1000, 1},                // no digits: 0, raised to the minimum
      {"12345678901", 1, 1000, 1000},     // first ten digits, then the range
      {"9999999999", 1, 1, 2147483647},   // limited to 32 bits; 1..1 limits nothing
      {"-9999999999", 1, 1, -999999999},  // the sign counts among the ten bytes
      {"  -42", -100, 100, -42},
      {"\xEF\xBC\x97\xEF\xBC\x98", 0, 100, 78},  // full-width digits
      {"17x5", 0, 100, 17},
  };
  auto* v = new CGIntValue(root, 0, 0, 50, 20, 0, GSTYLE_ACTIVE, 0, 0, 1, 1000, 1, 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    v->SetRange(c.minimum, c.maximum);
    v->SetEditText(c.text);
    int out = 0;
    v->GetValue(&out);
    EXPECT_EQ(out, c.expected);
  }
  auto* zeros = new CGIntValue(root, 0, 0, 50, 20, 0, GSTYLE_ACTIVE, 0, 0, 1, 1000, 7, 3);
  std::string text;
  zeros->GetEditText(&text);
  EXPECT_EQ(text, "007");
  zeros->SetRange(100.9, 200.2);  // the range is not applied to the current value
  zeros->GetText(&text);
  EXPECT_EQ(text, "007");
  zeros->SetValue(250.7);
  zeros->GetText(&text);
  EXPECT_EQ(text, "200");
}

TEST_F(FieldTest, SkinnedFieldUsesTheNotActiveColoursWhenDisabled) {
  auto* f = new CGSkText(root, 10, 10, 100, 20, 0, 0, 0, 0);
  f->SetText("abc");
  for (const bool active : {true, false}) {
    f->SetStyle(active ? GSTYLE_ACTIVE : GSTYLE_VISIBLE);
    vt::RecordingDc dc(200, 100);
    f->Draw(&dc);
    const auto fills = dc.RecordsOf(vt::DcOp::FillRect);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills[0].color & 0xFFFFFF, skin.Get(active ? 0x080 : 0x084) & 0xFFFFFF);
    const auto texts = dc.RecordsOf(vt::DcOp::TextOut);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].color & 0xFFFFFF, skin.Get(active ? 0x090 : 0x094) & 0xFFFFFF);
  }
}

TEST(ParseInt64, SignBlanksDigitsAndTheEndsOfTheRange) {
  EXPECT_EQ(ParseInt64(""), 0);
  EXPECT_EQ(ParseInt64("  +12ab"), 12);
  EXPECT_EQ(ParseInt64("-9223372036854775808"), std::numeric_limits<int64_t>::min());
  EXPECT_EQ(ParseInt64("9223372036854775807"), std::numeric_limits<int64_t>::max());
  EXPECT_EQ(ParseInt64("9223372036854775808"), std::numeric_limits<int64_t>::max());
  EXPECT_EQ(ParseInt64("-99999999999999999999"), std::numeric_limits<int64_t>::min());
}

}  // namespace
}  // namespace gadget_test
