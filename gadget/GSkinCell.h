// The 32-byte description of one nine-slice bitmap strip inside a skin block, read field by
// field from the little-endian words of the skin descriptor. Cells of a strip lie side by side;
// the state index chooses the cell.
#pragma once
#include <cstddef>
#include <cstdint>

namespace vt {
class Bitmap;
class DeviceContext;
struct Rect;
}  // namespace vt

struct SGSkinCell {
  int imageId = 0;
  int maskId = 0;
  int cellWidth = 0;
  int cellHeight = 0;
  int leftMargin = 0;
  int topMargin = 0;
  int rightMargin = 0;
  int bottomMargin = 0;
};
constexpr std::size_t kSkinCellBytes = 32;

namespace vt {

// The 48-byte skin block of an arrow button: the face cell and the arrow glyph strip.
struct SGArrowSkin {
  SGSkinCell face;
  int glyphImageId = 0;
  int glyphMaskId = 0;
  int glyphWidth = 0;
  int glyphHeight = 0;
};

}  // namespace vt
constexpr std::size_t kArrowSkinBytes = 48;
vt::SGArrowSkin ReadArrowSkin(const unsigned char* block);
// The face nine-sliced over rect and the glyph cell centred in it, both with cell `state`.
void DrawArrowSkin(vt::DeviceContext* dc, const vt::SGArrowSkin& skin, int state, const vt::Rect& rect);

// The little-endian 32-bit word at byte offset `at`.
int ReadSkinWord(const unsigned char* block, std::size_t at);
SGSkinCell ReadSkinCell(const unsigned char* block, std::size_t at);
// Loads a bitmap into the root master's pool (nothing for id 0).
void PreloadSkinBitmap(int resourceId);
// The pooled bitmap of an id; null for id 0, without a root master, or for an unknown id.
const vt::Bitmap* PooledSkinBitmap(int resourceId);
// The cell's strip drawn nine-sliced over dest with cell index state; nothing without image.
void DrawSkinCell(vt::DeviceContext* dc, const SGSkinCell& cell, int state, const vt::Rect& dest);
