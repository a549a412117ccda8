// The widget skin: one descriptor of 32-bit words that the application hands over once at
// start-up. SetGadgetSkin copies each block into the static skin of the class that draws from
// it and loads the block's bitmaps through the root master's pool, so that drawing never looks
// anything up. A class reads its block through SkinBlock(receiver).
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gui/Color.h"

namespace vt {
class Bitmap;
}
class CGBitmap;

constexpr int kSkinDescriptorBytes = 0x670;

// The descriptor as the application fills it: word i lies at byte offset 4 * i.
struct SGSkinDescriptor {
  uint32_t words[kSkinDescriptorBytes / 4] = {};
  void Set(int byteOffset, uint32_t value) { words[byteOffset / 4] = value; }
  uint32_t Get(int byteOffset) const { return words[byteOffset / 4]; }
};

// The receivers of the descriptor's blocks, in the order of distribution.
enum class SkinReceiver : int {
  TextEdit,
  PasswdEdit,
  Combo,
  ProgressBar,
  Text,
  Value,
  IntValue,
  IntValueEx,
  ComboBox,
  ComboBoxEx,
  PushButton,
  Unused128,
  RadioIconButton,
  TogIconButton,
  TabPage,
  Unused1E0a,
  Unused1E0b,
  HSplitter,
  Unused220,
  HThinBar,
  ThinScrollLeftButton,
  ThinScrollRightButton,
  VThinBar,
  ThinScrollUpButton,
  ThinScrollDownButton,
  HBar,
  ScrollLeftButton,
  ScrollRightButton,
  VBar,
  ScrollUpButton,
  ScrollDownButton,
  Root,
  ButtonLabel,
  DigitalVolume,
  DigitalVolume64,
  VolumeUpButton,
  VolumeDownButton,
  GroupBox,
  RadioGroupBox,
  TogGroupBox,
  TabButtonLeft,
  TabButtonRight,
  Count
};

namespace vt {

// One class's copy of its block and the pooled bitmaps of its bitmap words.
struct SGSkinBlock {
  std::vector<uint32_t> words;
  CGBitmap* bitmaps[4] = {};  // words 0, 1, 8, 9 (the first two only for small blocks)

  uint32_t Word(int byteOffset) const {
    const size_t i = size_t(byteOffset / 4);
    return i < words.size() ? words[i] : 0;
  }
  int Int(int byteOffset) const { return int(int32_t(Word(byteOffset))); }
  vt::ColorRef Colour(int byteOffset) const { return Word(byteOffset); }
  // The bitmap of word 0, 1, 8 or 9 as slot 0 to 3; null when none was loaded.
  const vt::Bitmap* Image(int slot) const;
};

}  // namespace vt

const vt::SGSkinBlock& SkinBlock(SkinReceiver receiver);
// Copies bytes of the descriptor from byteOffset into the receiver's block and loads its
// bitmaps (bitmapWords 0, 2 or 4: words 0, 1 and then 8, 9).
void SetSkinBlock(SkinReceiver receiver, const SGSkinDescriptor& skin, int byteOffset, int bytes,
                  int bitmapWords);
void SetGadgetSkin(const SGSkinDescriptor* skin);
// Forgets every block (bitmaps belong to the pool and go with it).
void ResetGadgetSkin();
