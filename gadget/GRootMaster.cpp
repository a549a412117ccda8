// The root master (see GRootMaster.h).
#include "gadget/GRootMaster.h"

#include "gadget/ClassRecords.h"
#include "gadget/GStocker.h"
#include "gadget/ToolTip.h"
#include "platform/base/Paths.h"

CGRootMaster* g_rootMaster = nullptr;

CGRootMaster::CGRootMaster() : CGCore(0, nullptr) {
  g_rootMaster = this;
  m_programFolder = vt::ProgramFolder();
  if (m_programFolder.empty() || m_programFolder.back() != '/') m_programFolder += '/';
}

CGRootMaster::~CGRootMaster() {
  delete m_toolTip;
  m_toolTip = nullptr;
  if (g_rootMaster == this) g_rootMaster = nullptr;
  // The managers are children and go with the CGCore destructor; forget them first so that
  // nothing reaches a pool while it is being taken down.
  m_fontManager = nullptr;
  m_bitmapManager = nullptr;
  m_pictureManager = nullptr;
  m_stocker = nullptr;
  m_clipboard = nullptr;
  m_sharedMemoryManager = nullptr;
}

const SGClassInfo* CGRootMaster::GetClassInfo() const { return GCLASS(CGRootMaster); }

vt::LogFont CGRootMaster::MakeFontRecord(const char* face, int height, int styleBits, int escapement) {
  vt::LogFont lf;
  lf.height = height;
  lf.width = 0;
  lf.escapement = escapement;
  lf.orientation = 0;
  lf.weight = (styleBits & 1) ? 700 : 400;
  lf.italic = (styleBits & 2) ? 2 : 0;
  lf.underline = (styleBits & 4) ? 4 : 0;
  lf.strikeOut = 0;
  lf.charSet = 0;
  lf.pitchAndFamily = 0x30;
  lf.SetFaceName(face ? face : "");
  return lf;
}

CGFont* CGRootMaster::GetFont(const vt::LogFont& logFont) {
  return m_fontManager ? m_fontManager->GetFont(logFont) : nullptr;
}

CGFont* CGRootMaster::GetFont(const char* face, int height, int styleBits, int escapement) {
  return GetFont(MakeFontRecord(face, height, styleBits, escapement));
}

CGFont* CGRootMaster::GetFont(int height, int styleBits, int escapement) {
  return GetFont("Arial", height, styleBits, escapement);
}

CGBitmap* CGRootMaster::GetBitmap(int resourceId) {
  return m_bitmapManager ? m_bitmapManager->GetBitmap(resourceId) : nullptr;
}

CGPicture* CGRootMaster::GetPicture(const char* path) {
  return m_pictureManager && path ? m_pictureManager->GetPicture(path) : nullptr;
}

void CGRootMaster::CreateManagers() {
  if (!m_fontManager) m_fontManager = new CGFontManager(this);
  if (!m_bitmapManager) m_bitmapManager = new CGBitmapManager(this);
  if (!m_clipboard) m_clipboard = new CGClipboard(this);
  if (!m_stocker) m_stocker = new CGStocker(this);
  if (!m_sharedMemoryManager) m_sharedMemoryManager = new CGSharedMemoryManager(this);
  if (!m_pictureManager) m_pictureManager = new CGPictureManager(this);
}

CToolTip* CGRootMaster::CreateToolTip() { return new CToolTip(GetFont(14, 0, 0)); }

CToolTip* CGRootMaster::GetToolTip() {
  if (!m_toolTip) m_toolTip = CreateToolTip();
  return m_toolTip;
}

CGFont* GetSharedFont(int height, int styleBits, int escapement) {
  return g_rootMaster ? g_rootMaster->GetFont(height, styleBits, escapement) : nullptr;
}

CGBitmap* GetSharedBitmap(int resourceId) {
  return g_rootMaster ? g_rootMaster->GetBitmap(resourceId) : nullptr;
}
