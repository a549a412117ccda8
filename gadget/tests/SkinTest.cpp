// Skin distribution: every block reaches its class (also the volume's and combo's twice-set
// blocks), bitmaps load into the pool once however many classes name them, a second skin
// replaces the first at the next paint, and the skinned root takes its colour and editors.
#include <gtest/gtest.h>

#include "gadget/GLabel.h"
#include "gadget/GPools.h"
#include "gadget/GSkRoot.h"
#include "gadget/GTextField.h"
#include "gadget/SkinnedEditors.h"
#include "gadget/testing/WidgetTestEnv.h"

namespace gadget_test {
namespace {

using SkinTest = WidgetEnv;

// Counts the pool's bitmaps of an id.
int PoolCount(CGRootMaster* master, int id) {
  int n = 0;
  CGCore* pool = master->GetBitmapManager();
  for (CGCore* c = pool->GetFirstChild(); c; c = pool->NextChild(c))
    if (IsKindOfClass(c, GCLASS(CGBitmap)) && static_cast<CGBitmap*>(c)->GetResourceId() == id) ++n;
  return n;
}

TEST_F(SkinTest, EveryBlockReachesItsReceiverWordForWord) {
  // Word i of the descriptor holds 0x10000 + i, so every copy shows where it came from (no
  // such bitmap exists; the pool keeps empty entries for them).
  SGSkinDescriptor d;
  for (int i = 0; i < kSkinDescriptorBytes / 4; ++i) d.words[i] = uint32_t(0x10000 + i);
  SetGadgetSkin(&d);
  struct Case {
    SkinReceiver receiver;
    int offset, bytes;
  };
  const Case cases[] = {
      {SkinReceiver::TextEdit, 0x000, 16},
      {SkinReceiver::Combo, 0x010, 64},
      {SkinReceiver::ProgressBar, 0x050, 48},
      {SkinReceiver::Text, 0x080, 24},
      {SkinReceiver::IntValue, 0x080, 24},
      {SkinReceiver::ComboBoxEx, 0x098, 72},
      {SkinReceiver::PushButton, 0x0E0, 72},
      {SkinReceiver::RadioIconButton, 0x148, 24},
      {SkinReceiver::TogIconButton, 0x160, 24},
      {SkinReceiver::TabPage, 0x178, 104},
      {SkinReceiver::HSplitter, 0x200, 32},
      {SkinReceiver::ThinScrollRightButton, 0x2B0, 48},
      {SkinReceiver::VBar, 0x420, 64},
      {SkinReceiver::ScrollDownButton, 0x490, 48},
      {SkinReceiver::Root, 0x4C0, 8},
      {SkinReceiver::ButtonLabel, 0x4C8, 56},
      {SkinReceiver::DigitalVolume64, 0x500, 24},
      {SkinReceiver::VolumeUpButton, 0x518, 48},
      {SkinReceiver::VolumeDownButton, 0x548, 48},
      {SkinReceiver::GroupBox, 0x578, 40},
      {SkinReceiver::RadioGroupBox, 0x5A0, 56},
      {SkinReceiver::TogGroupBox, 0x5D8, 56},
      {SkinReceiver::TabButtonRight, 0x640, 48},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.offset);
    const vt::SGSkinBlock& b = SkinBlock(c.receiver);
    ASSERT_EQ(b.words.size(), size_t(c.bytes / 4));
    EXPECT_EQ(b.Word(0), uint32_t(0x10000 + c.offset / 4));
    EXPECT_EQ(b.Word(c.bytes - 4), uint32_t(0x10000 + (c.offset + c.bytes) / 4 - 1));
  }
  // The 24-byte colour blocks load no bitmap; the pairs blocks load words 0, 1, 8 and 9.
  EXPECT_EQ(PoolCount(master, 0x10000 + 0x080 / 4), 0);
  EXPECT_EQ(PoolCount(master, 0x10000 + 0x050 / 4 + 9), 1);
  EXPECT_EQ(PoolCount(master, 0x10000 + 0x050 / 4 + 2), 0);
  EXPECT_EQ(PoolCount(master, 0x10000 + 0x0E0 / 4 + 1), 1);
  EXPECT_EQ(PoolCount(master, 0x10000 + 0x0E0 / 4 + 8), 0);  // only words 0 and 1 there
  // The volume buttons' blocks are set twice with the same pooled bitmaps.
  EXPECT_EQ(PoolCount(master, 0x10000 + 0x518 / 4), 1);
}

TEST_F(SkinTest, EverySkinBitmapIsPooledOnceAndDrawnFromTheBlocks) {
  for (int id = kSkinPushFace; id <= kSkinArrowDown; ++id) {
    EXPECT_TRUE(vt::IsBitmapRegistered(id)) << id;
    EXPECT_EQ(PoolCount(master, id), 1) << id;
  }
  // Images and grey masks keep their registered depth.
  EXPECT_EQ(SkinBlock(SkinReceiver::PushButton).Image(0)->BitsPerPixel(), 24);
  EXPECT_EQ(SkinBlock(SkinReceiver::PushButton).Image(1)->BitsPerPixel(), 24);
  EXPECT_EQ(SkinBlock(SkinReceiver::RadioGroupBox).Image(2),
            SkinBlock(SkinReceiver::RadioIconButton).Image(0));
}

TEST_F(SkinTest, SkinnedRootPaintsTheSkinColourAndASecondSkinReplacesTheFirst) {
  auto skinHost = std::make_unique<vt::FakeHostWindow>(120, 60, vt::Point{0, 0});
  auto* sk = new CGSkRoot(master, skinHost.get(), 1);
  // Bound at once, with the three editors.
  EXPECT_EQ(skinHost->Client(), sk);
  EXPECT_EQ(skinHost->Edits().size(), 2u);
  EXPECT_EQ(skinHost->Combos().size(), 1u);
  EXPECT_NE(dynamic_cast<CSkTextEdit*>(sk->GetTextEditor()), nullptr);
  EXPECT_EQ(sk->GetBackColor(), skin.Get(0x4C0));
  // A plain group inherits the colour, and so does a transparent label.
  auto* label = new CGLabel(sk, 0, 0, 50, 20, 0, 0, 0, 1, 0, 12, "x");
  EXPECT_EQ(label->GetBackColor(), skin.Get(0x4C0));
  // Without a host nothing is created until Attach.
  auto* later = new CGSkRoot(master, nullptr, 1);
  EXPECT_EQ(later->GetTextEditor(), nullptr);
  // A second skin reaches widgets that exist already.
  SGSkinDescriptor second = skin;
  second.Set(0x4C0, 0x123456);
  SetGadgetSkin(&second);
  EXPECT_EQ(label->GetBackColor(), vt::ColorRef(0x123456));
  delete sk;
  delete later;
}

}  // namespace
}  // namespace gadget_test
