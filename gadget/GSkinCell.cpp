// Skin cells: reading them from a skin block and drawing them (see GSkinCell.h). The bitmaps
// are looked up in the root master's pool when drawn, so a block outlives the pool safely.
#include "gadget/GSkinCell.h"

#include "gadget/GDraw.h"
#include "gadget/GPools.h"
#include "gadget/GRootMaster.h"
#include "platform/gui/Geometry.h"

int ReadSkinWord(const unsigned char* block, std::size_t at) {
  const uint32_t v = uint32_t(block[at]) | uint32_t(block[at + 1]) << 8 | uint32_t(block[at + 2]) << 16 |
                     uint32_t(block[at + 3]) << 24;
  return static_cast<int>(v);
}

SGSkinCell ReadSkinCell(const unsigned char* block, std::size_t at) {
  SGSkinCell c;
  c.imageId = ReadSkinWord(block, at);
  c.maskId = ReadSkinWord(block, at + 4);
  c.cellWidth = ReadSkinWord(block, at + 8);
  c.cellHeight = ReadSkinWord(block, at + 12);
  c.leftMargin = ReadSkinWord(block, at + 16);
  c.topMargin = ReadSkinWord(block, at + 20);
  c.rightMargin = ReadSkinWord(block, at + 24);
  c.bottomMargin = ReadSkinWord(block, at + 28);
  return c;
}

void PreloadSkinBitmap(int resourceId) {
  if (resourceId) GetSharedBitmap(resourceId);
}

const vt::Bitmap* PooledSkinBitmap(int resourceId) {
  if (!resourceId) return nullptr;
  CGBitmap* b = GetSharedBitmap(resourceId);
  return b ? b->GetBitmap() : nullptr;
}

void DrawSkinCell(vt::DeviceContext* dc, const SGSkinCell& cell, int state, const vt::Rect& dest) {
  const vt::Bitmap* image = PooledSkinBitmap(cell.imageId);
  if (!image || cell.cellWidth <= 0 || cell.cellHeight <= 0) return;
  DrawNineSliceCell(dc, image, PooledSkinBitmap(cell.maskId), state, cell.cellWidth, cell.cellHeight,
                    cell.leftMargin, cell.topMargin, cell.rightMargin, cell.bottomMargin, dest);
}

vt::SGArrowSkin ReadArrowSkin(const unsigned char* block) {
  vt::SGArrowSkin s;
  s.face = ReadSkinCell(block, 0);
  s.glyphImageId = ReadSkinWord(block, 32);
  s.glyphMaskId = ReadSkinWord(block, 36);
  s.glyphWidth = ReadSkinWord(block, 40);
  s.glyphHeight = ReadSkinWord(block, 44);
  PreloadSkinBitmap(s.face.imageId);
  PreloadSkinBitmap(s.face.maskId);
  PreloadSkinBitmap(s.glyphImageId);
  PreloadSkinBitmap(s.glyphMaskId);
  return s;
}

void DrawArrowSkin(vt::DeviceContext* dc, const vt::SGArrowSkin& skin, int state, const vt::Rect& rect) {
  DrawSkinCell(dc, skin.face, state, rect);
  const vt::Bitmap* glyph = PooledSkinBitmap(skin.glyphImageId);
  if (!glyph || skin.glyphWidth <= 0 || skin.glyphHeight <= 0) return;
  DrawBitmapCellBlended(dc, rect, glyph, PooledSkinBitmap(skin.glyphMaskId), state, skin.glyphWidth,
                        skin.glyphHeight);
}
