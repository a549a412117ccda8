// The shared resource pools of the root master: fonts, bitmaps from resources, pictures from
// bitmap files, and two managers without behaviour. Pools grow only: a font or bitmap once
// made stays until the root master is deleted, so drawing code may keep the pointers.
#pragma once
#include <memory>
#include <string>

#include "gadget/GDataManager.h"
#include "platform/gui/Bitmap.h"
#include "platform/gui/Font.h"
#include "platform/gui/LogFont.h"

class CGFont : public CGCore {
 public:
  CGFont(CGCore* parent, const vt::LogFont& logFont);
  const SGClassInfo* GetClassInfo() const override;
  const vt::LogFont& GetLogFont() const { return m_logFont; }
  // Null for a font that could not be made.
  vt::Font* GetFont() const { return m_font.get(); }

 private:
  vt::LogFont m_logFont;
  std::unique_ptr<vt::Font> m_font;
};

class CGBitmap : public CGCore {
 public:
  CGBitmap(CGCore* parent, int resourceId);
  const SGClassInfo* GetClassInfo() const override;
  int GetResourceId() const { return m_resourceId; }
  // Null for a resource that could not be loaded.
  vt::Bitmap* GetBitmap() const { return m_bitmap.get(); }
  int GetWidth() const { return m_width; }
  int GetHeight() const { return m_height; }

 private:
  int m_resourceId;
  std::unique_ptr<vt::Bitmap> m_bitmap;
  int m_width = 0;
  int m_height = 0;
};

class CGPicture : public CGCore {
 public:
  CGPicture(CGCore* parent, const std::string& path);
  const SGClassInfo* GetClassInfo() const override;
  const std::string& GetPath() const { return m_path; }
  vt::Bitmap* GetBitmap() const { return m_bitmap.get(); }
  int GetWidth() const { return m_width; }
  int GetHeight() const { return m_height; }

 private:
  std::string m_path;
  std::unique_ptr<vt::Bitmap> m_bitmap;
  int m_width = 0;
  int m_height = 0;
};

class CGFontManager : public CGDataManager {
 public:
  using CGDataManager::CGDataManager;
  const SGClassInfo* GetClassInfo() const override;
  // Keyed on height, weight, italic, underline and escapement only: the first font made with
  // these answers every face.
  CGFont* GetFont(const vt::LogFont& logFont);
};

class CGBitmapManager : public CGDataManager {
 public:
  using CGDataManager::CGDataManager;
  const SGClassInfo* GetClassInfo() const override;
  // Null for ids 0 and below. A missing resource gives one node without image, kept and
  // returned again for the same id.
  CGBitmap* GetBitmap(int resourceId);
};

class CGPictureManager : public CGDataManager {
 public:
  using CGDataManager::CGDataManager;
  const SGClassInfo* GetClassInfo() const override;
  // Null when the file cannot be loaded (nothing is kept then).
  CGPicture* GetPicture(const std::string& path);
};

class CGClipboard : public CGDataManager {
 public:
  using CGDataManager::CGDataManager;
  const SGClassInfo* GetClassInfo() const override;
};

class CGSharedMemoryManager : public CGDataManager {
 public:
  using CGDataManager::CGDataManager;
  const SGClassInfo* GetClassInfo() const override;
};
