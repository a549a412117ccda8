// The top of every gadget tree of the process: owns the shared pools (fonts, bitmaps,
// pictures), the object pool, the single tooltip and the program's folder. g_rootMaster gives
// every gadget access to it; the application makes one at start-up and deletes it at exit.
#pragma once
#include <memory>
#include <string>

#include "gadget/GCore.h"
#include "gadget/GPools.h"

class CGStocker;
class CToolTip;

class CGRootMaster : public CGCore {
 public:
  CGRootMaster();
  ~CGRootMaster() override;
  const SGClassInfo* GetClassInfo() const override;

  virtual CGFont* GetFont(const vt::LogFont& logFont);
  virtual CGFont* GetFont(const char* face, int height, int styleBits, int escapement);
  // Face "Arial".
  virtual CGFont* GetFont(int height, int styleBits, int escapement);
  virtual CGBitmap* GetBitmap(int resourceId);
  virtual CGPicture* GetPicture(const char* path);
  // Font, bitmap, clipboard, object pool, shared-memory and picture managers, in this order.
  virtual void CreateManagers();
  virtual CToolTip* CreateToolTip();

  CGFontManager* GetFontManager() const { return m_fontManager; }
  CGBitmapManager* GetBitmapManager() const { return m_bitmapManager; }
  CGPictureManager* GetPictureManager() const { return m_pictureManager; }
  CGStocker* GetStocker() const { return m_stocker; }
  // The tooltip, made on first use.
  CToolTip* GetToolTip();
  // The tooltip when it was made, else null.
  CToolTip* PeekToolTip() const { return m_toolTip; }
  const std::string& GetProgramFolder() const { return m_programFolder; }

  // The record a face and height variant of GetFont looks up.
  static vt::LogFont MakeFontRecord(const char* face, int height, int styleBits, int escapement);

 private:
  CGSharedMemoryManager* m_sharedMemoryManager = nullptr;
  CGFontManager* m_fontManager = nullptr;
  CGBitmapManager* m_bitmapManager = nullptr;
  CGPictureManager* m_pictureManager = nullptr;
  CGClipboard* m_clipboard = nullptr;
  CToolTip* m_toolTip = nullptr;
  std::string m_programFolder;
  CGStocker* m_stocker = nullptr;
};

extern CGRootMaster* g_rootMaster;

CGFont* GetSharedFont(int height, int styleBits, int escapement);
CGBitmap* GetSharedBitmap(int resourceId);
