// Bitmaps by resource id. The images are drawn in code at start-up and registered here (a
// later folder of overrides may replace them); callers load a copy, as they would load a
// resource, and the copy keeps the registered bit depth.
#pragma once
#include <memory>
#include <string>

#include "platform/gui/Bitmap.h"

namespace vt {

// Registers (or replaces) the bitmap of an id; a null bitmap removes it.
void RegisterBitmap(int id, std::unique_ptr<Bitmap> bitmap);
bool IsBitmapRegistered(int id);
// A copy of the registered bitmap; null when the id is unknown.
std::unique_ptr<Bitmap> LoadBitmap(int id);
// A bitmap from an image file; a 1-bit image gives a 1-bit bitmap, anything else 24 bits.
// Null when the file cannot be read.
std::unique_ptr<Bitmap> LoadBitmapFile(const std::string& path);

}  // namespace vt
