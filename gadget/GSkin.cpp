// Distribution of the widget skin into the per-class blocks, in the order of the descriptor.
#include "gadget/GSkin.h"

#include <array>
#include <cassert>

#include "gadget/GPageController.h"
#include "gadget/GPools.h"
#include "gadget/GRootMaster.h"
#include "gadget/GSkScrollBar.h"
#include "gadget/GSplitter.h"
#include "gadget/SkinnedEditors.h"

namespace {

std::array<vt::SGSkinBlock, size_t(SkinReceiver::Count)>& Blocks() {
  static std::array<vt::SGSkinBlock, size_t(SkinReceiver::Count)> blocks;
  return blocks;
}

CGBitmap* Load(uint32_t id) { return (g_rootMaster && id) ? g_rootMaster->GetBitmap(int(id)) : nullptr; }

struct Entry {
  SkinReceiver receiver;
  int offset;
  int bytes;
  int bitmapWords;
};

// Where each block lies, its size and how many of its words name bitmaps.
constexpr Entry kTable[] = {
    {SkinReceiver::ProgressBar, 0x050, 48, 4},
    {SkinReceiver::Text, 0x080, 24, 0},
    {SkinReceiver::Value, 0x080, 24, 0},
    {SkinReceiver::IntValue, 0x080, 24, 0},
    {SkinReceiver::IntValueEx, 0x080, 24, 0},
    {SkinReceiver::ComboBox, 0x098, 72, 4},
    {SkinReceiver::ComboBoxEx, 0x098, 72, 4},
    {SkinReceiver::PushButton, 0x0E0, 72, 2},
    {SkinReceiver::Unused128, 0x128, 32, 2},
    {SkinReceiver::RadioIconButton, 0x148, 24, 2},
    {SkinReceiver::TogIconButton, 0x160, 24, 2},
    {SkinReceiver::TabPage, 0x178, 104, 4},
    {SkinReceiver::Unused1E0a, 0x1E0, 16, 2},
    {SkinReceiver::Unused1E0b, 0x1F0, 16, 2},
    {SkinReceiver::HSplitter, 0x200, 32, 2},
    {SkinReceiver::Unused220, 0x220, 32, 2},
    {SkinReceiver::HThinBar, 0x240, 64, 4},
    {SkinReceiver::ThinScrollLeftButton, 0x280, 48, 4},
    {SkinReceiver::ThinScrollRightButton, 0x2B0, 48, 4},
    {SkinReceiver::VThinBar, 0x2E0, 64, 4},
    {SkinReceiver::ThinScrollUpButton, 0x320, 48, 4},
    {SkinReceiver::ThinScrollDownButton, 0x350, 48, 4},
    {SkinReceiver::HBar, 0x380, 64, 4},
    {SkinReceiver::ScrollLeftButton, 0x3C0, 48, 4},
    {SkinReceiver::ScrollRightButton, 0x3F0, 48, 4},
    {SkinReceiver::VBar, 0x420, 64, 4},
    {SkinReceiver::ScrollUpButton, 0x460, 48, 4},
    {SkinReceiver::ScrollDownButton, 0x490, 48, 4},
    {SkinReceiver::Root, 0x4C0, 8, 0},
    {SkinReceiver::ButtonLabel, 0x4C8, 56, 2},
    {SkinReceiver::DigitalVolume, 0x500, 24, 0},
    {SkinReceiver::DigitalVolume64, 0x500, 24, 0},
    {SkinReceiver::VolumeUpButton, 0x518, 48, 4},
    {SkinReceiver::VolumeDownButton, 0x548, 48, 4},
    {SkinReceiver::VolumeUpButton, 0x518, 48, 4},
    {SkinReceiver::VolumeDownButton, 0x548, 48, 4},
    {SkinReceiver::GroupBox, 0x578, 40, 2},
    {SkinReceiver::RadioGroupBox, 0x5A0, 56, 4},
    {SkinReceiver::TogGroupBox, 0x5D8, 56, 4},
    {SkinReceiver::TabButtonLeft, 0x610, 48, 4},
    {SkinReceiver::TabButtonRight, 0x640, 48, 4},
};

// The classes that read their block as little-endian bytes, with where it lies.
struct ByteReceiver {
  void (*set)(const unsigned char* block);
  int offset;
};
constexpr ByteReceiver kByteReceivers[] = {
    {&SetSkTabPageSkin, 0x178},
    {&SetSkHSplitterSkin, 0x200},
    {&SetSkHThinBarSkin, 0x240},
    {&SetSkThinScrollLeftButtonSkin, 0x280},
    {&SetSkThinScrollRightButtonSkin, 0x2B0},
    {&SetSkVThinBarSkin, 0x2E0},
    {&SetSkThinScrollUpButtonSkin, 0x320},
    {&SetSkThinScrollDownButtonSkin, 0x350},
    {&SetSkHBarSkin, 0x380},
    {&SetSkScrollLeftButtonSkin, 0x3C0},
    {&SetSkScrollRightButtonSkin, 0x3F0},
    {&SetSkVBarSkin, 0x420},
    {&SetSkScrollUpButtonSkin, 0x460},
    {&SetSkScrollDownButtonSkin, 0x490},
    {&SetSkTabButtonLeftSkin, 0x610},
    {&SetSkTabButtonRightSkin, 0x640},
};

void SetByteReceivers(const SGSkinDescriptor& skin) {
  unsigned char bytes[kSkinDescriptorBytes];
  for (int i = 0; i < kSkinDescriptorBytes / 4; ++i)
    for (int k = 0; k < 4; ++k) bytes[4 * i + k] = static_cast<unsigned char>(skin.words[i] >> (8 * k));
  for (const ByteReceiver& r : kByteReceivers) r.set(bytes + r.offset);
}

}  // namespace

const vt::Bitmap* vt::SGSkinBlock::Image(int slot) const {
  assert(slot >= 0 && slot < 4);
  return bitmaps[slot] ? bitmaps[slot]->GetBitmap() : nullptr;
}

const vt::SGSkinBlock& SkinBlock(SkinReceiver receiver) { return Blocks()[size_t(receiver)]; }

void SetSkinBlock(SkinReceiver receiver, const SGSkinDescriptor& skin, int byteOffset, int bytes,
                  int bitmapWords) {
  assert(byteOffset % 4 == 0 && bytes % 4 == 0 && byteOffset + bytes <= kSkinDescriptorBytes);
  vt::SGSkinBlock& block = Blocks()[size_t(receiver)];
  block.words.assign(skin.words + byteOffset / 4, skin.words + (byteOffset + bytes) / 4);
  static constexpr int kBitmapWord[4] = {0, 1, 8, 9};
  for (int i = 0; i < 4; ++i)
    block.bitmaps[i] = i < bitmapWords ? Load(block.words[size_t(kBitmapWord[i])]) : nullptr;
}

void SetGadgetSkin(const SGSkinDescriptor* skin) {
  if (!skin) return;
  vt::SGSkEditSkin edit;
  for (int i = 0; i < 4; ++i) edit.colours[i] = skin->words[i];
  SetSkTextEditSkin(edit);
  SetSkPasswdEditSkin(edit);
  SetSkinBlock(SkinReceiver::TextEdit, *skin, 0x000, 16, 0);
  SetSkinBlock(SkinReceiver::PasswdEdit, *skin, 0x000, 16, 0);
  // The combo's block, word by word.
  const uint32_t* c = skin->words + 0x010 / 4;
  vt::SGSkComboSkin combo{c[0], c[1], c[2],  c[3],  c[4],  c[5],  c[6],  c[7],
                          c[8], c[9], c[10], c[11], c[12], c[13], c[14], c[15]};
  SetSkComboSkin(combo);
  SetSkinBlock(SkinReceiver::Combo, *skin, 0x010, 64, 0);
  for (const Entry& e : kTable) SetSkinBlock(e.receiver, *skin, e.offset, e.bytes, e.bitmapWords);
  SetByteReceivers(*skin);
}

void ResetGadgetSkin() {
  for (vt::SGSkinBlock& b : Blocks()) b = vt::SGSkinBlock{};
  SetByteReceivers(SGSkinDescriptor{});
}
