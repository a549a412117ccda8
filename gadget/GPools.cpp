// The resource pools (see GPools.h).
#include "gadget/GPools.h"

#include <filesystem>

#include "gadget/ClassRecords.h"
#include "platform/gui/BitmapRegistry.h"

CGFont::CGFont(CGCore* parent, const vt::LogFont& logFont)
    : CGCore(0, parent), m_logFont(logFont), m_font(vt::Font::Create(logFont)) {}

const SGClassInfo* CGFont::GetClassInfo() const { return GCLASS(CGFont); }

CGBitmap::CGBitmap(CGCore* parent, int resourceId)
    : CGCore(0, parent), m_resourceId(resourceId), m_bitmap(vt::LoadBitmap(resourceId)) {
  if (m_bitmap) {
    m_width = m_bitmap->Width();
    m_height = m_bitmap->Height();
  }
}

const SGClassInfo* CGBitmap::GetClassInfo() const { return GCLASS(CGBitmap); }

CGPicture::CGPicture(CGCore* parent, const std::string& path)
    : CGCore(0, parent), m_path(path), m_bitmap(vt::LoadBitmapFile(path)) {
  if (m_bitmap) {
    m_width = m_bitmap->Width();
    m_height = m_bitmap->Height();
  }
}

const SGClassInfo* CGPicture::GetClassInfo() const { return GCLASS(CGPicture); }

const SGClassInfo* CGFontManager::GetClassInfo() const { return GCLASS(CGFontManager); }

CGFont* CGFontManager::GetFont(const vt::LogFont& lf) {
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c)) {
    const vt::LogFont& have = static_cast<CGFont*>(c)->GetLogFont();
    if (have.height == lf.height && have.weight == lf.weight && have.italic == lf.italic &&
        have.underline == lf.underline && have.escapement == lf.escapement)
      return static_cast<CGFont*>(c);
  }
  return new CGFont(this, lf);
}

const SGClassInfo* CGBitmapManager::GetClassInfo() const { return GCLASS(CGBitmapManager); }

CGBitmap* CGBitmapManager::GetBitmap(int resourceId) {
  if (resourceId <= 0) return nullptr;
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    if (static_cast<CGBitmap*>(c)->GetResourceId() == resourceId) return static_cast<CGBitmap*>(c);
  return new CGBitmap(this, resourceId);
}

const SGClassInfo* CGPictureManager::GetClassInfo() const { return GCLASS(CGPictureManager); }

CGPicture* CGPictureManager::GetPicture(const std::string& path) {
  // The same file under different spellings is one picture.
  std::error_code ec;
  std::string full = std::filesystem::weakly_canonical(path, ec).string();
  if (ec) full = path;
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    if (static_cast<CGPicture*>(c)->GetPath() == full) return static_cast<CGPicture*>(c);
  auto* picture = new CGPicture(this, full);
  if (!picture->GetBitmap()) {
    delete picture;
    return nullptr;
  }
  return picture;
}

const SGClassInfo* CGClipboard::GetClassInfo() const { return GCLASS(CGClipboard); }
const SGClassInfo* CGSharedMemoryManager::GetClassInfo() const { return GCLASS(CGSharedMemoryManager); }
