// The root gadget (see GRoot.h).
#include "gadget/GRoot.h"

#include <algorithm>

#include "gadget/GRootMaster.h"
#include "gadget/InPlaceEditors.h"
#include "gadget/ToolTip.h"
#include "platform/base/Text.h"
#include "platform/gui/Bitmap.h"
#include "platform/gui/Desktop.h"
#include "platform/gui/HostWindow.h"
#include "platform/gui/InPlaceCombo.h"
#include "platform/gui/InPlaceEdit.h"
#include "platform/gui/MemoryDc.h"
#include "platform/gui/VirtualKeys.h"

namespace {

// Borrows the window context for the life of the object.
class BorrowedDC {
 public:
  explicit BorrowedDC(CGRoot* root) : root_(root) { root_->BorrowWindowDC(); }
  ~BorrowedDC() { root_->ReturnWindowDC(); }
  BorrowedDC(const BorrowedDC&) = delete;
  BorrowedDC& operator=(const BorrowedDC&) = delete;

 private:
  CGRoot* root_;
};

CToolTip* ExistingToolTip() { return g_rootMaster ? g_rootMaster->PeekToolTip() : nullptr; }

}  // namespace

CGRoot::CGRoot(CGCore* parent, int id, int createEditors)
    : CGGroup(parent, 0, 0, id, GSTYLE_ACTIVE, 0, 0, 0, 0, 0x025E5E5E), m_createEditors(createEditors) {}

CGRoot::~CGRoot() { Unbind(); }

const SGClassInfo* CGRoot::GetClassInfo() const { return GCLASS(CGRoot); }

void CGRoot::Unbind() {
  if (m_host) {
    ForgetRepeatTimerHost(m_host);
    if (m_windowDC) m_host->ReleaseDC(m_windowDC);
    if (m_host->Client() == this) m_host->SetClient(nullptr);
  }
  m_windowDC = nullptr;
  m_windowDCCount = 0;
  m_host = nullptr;
  m_comboEditor.reset();
  m_textEditor.reset();
  m_passwordEditor.reset();
  FreeBackDC();
  m_shortcuts.clear();
  m_wheelTarget = nullptr;
  m_tipOwner = nullptr;
}

void CGRoot::Release() {
  Unbind();
  CGPrimitive::Release();
}

void CGRoot::SetStyle(int style) {
  CGGroup::SetStyle(style);
  if (style == 0)
    ShowHostFrame(false);
  else if (style == 1 || style == 3)
    ShowHostFrame(true);
}

void CGRoot::Redraw() {
  if (vt::DeviceContext* back = GetBackDCPtr()) Paint(back);
}

void CGRoot::Update() { RedrawPrimitive(this); }

void CGRoot::SetText(const std::string& text) {
  if (m_host) m_host->SetOwnerCaption(text);
}

vt::DeviceContext* CGRoot::GetBackDCPtr() const { return m_backDC.get(); }

// ---- back buffer and painting ----

bool CGRoot::AllocateBackDC(int width, int height) {
  FreeBackDC();
  SetBounds(0, 0, width, height);
  m_backWidth = width;
  m_backHeight = height;
  if (width <= 0 || height <= 0) return false;  // nothing to paint: not a shortage
  m_backBitmap = vt::Bitmap::Create(width, height, 32);
  if (!m_backBitmap) {
    ShowOutOfMemoryMessage("AllocateBackDC()");
    return false;
  }
  m_backDC = std::make_unique<vt::MemoryDc>();
  m_backDC->SelectBitmap(m_backBitmap.get());
  return true;
}

void CGRoot::FreeBackDC() {
  if (m_backDC) m_backDC->SelectBitmap(nullptr);
  m_backDC.reset();
  m_backBitmap.reset();
}

void CGRoot::PaintFromDC(vt::DeviceContext* dc) {
  // A root without a host (a print layout) keeps its own size.
  const vt::Rect client = m_host ? m_host->ClientRect() : vt::Rect{0, 0, m_rect.Width(), m_rect.Height()};
  if (!m_backDC && AllocateBackDC(client.Width(), client.Height())) {
    m_fullRedraw = 1;
    SetSize(client.Width(), client.Height());
    LayoutTree();
  }
  if (m_fullRedraw && m_backDC) {
    Paint(m_backDC.get());
    m_fullRedraw = 0;
  }
  if (m_backDC && dc)
    dc->BitBlt(client.left, client.top, client.Width(), client.Height(), *m_backDC, 0, 0,
               vt::RasterOp::SrcCopy);
}

void CGRoot::OnPaint(vt::DeviceContext& dc, const vt::Rect& area) {
  (void)area;
  PaintFromDC(&dc);
}

void CGRoot::OnSize(int32_t cx, int32_t cy) {
  (void)cx, (void)cy;
  FreeBackDC();
}

vt::LResult CGRoot::OnMessage(uint32_t message, vt::WParam wParam, vt::LParam lParam) {
  (void)wParam;
  if (message == WM_GADGET_EDITEND) OnEditEnd(int(lParam));
  return 0;
}

void CGRoot::RedrawPrimitive(CGPrimitive* p) {
  if (!m_host) {
    // Without a window there is only the back buffer to paint.
    if (m_backDC) p->Paint(m_backDC.get());
    return;
  }
  BorrowedDC borrow(this);
  if (m_backDC && m_windowDC) {
    p->Paint(m_backDC.get());
    p->ClipToVisibleRect(m_windowDC);
    p->ClipToVisibleRect(m_backDC.get());
    p->BlitRect(m_windowDC, m_backDC.get());
  }
  InvalidateOpenEditors();
}

vt::DeviceContext* CGRoot::BorrowWindowDC() {
  if (!m_host) return nullptr;
  if (!m_windowDC) m_windowDC = m_host->GetDC();
  ++m_windowDCCount;
  return m_windowDC;
}

void CGRoot::ReturnWindowDC() {
  --m_windowDCCount;
  if (m_windowDCCount <= 0) {
    m_windowDCCount = 0;
    if (m_windowDC && m_host) m_host->ReleaseDC(m_windowDC);
    m_windowDC = nullptr;
  }
}

// ---- input ----

void CGRoot::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  BringOwnerToFront();
  CloseInPlaceEditors();
  HideToolTip();
  if (m_host) m_host->SetCapture();
  if (GetFirstChild() && m_backDC) {
    BorrowedDC borrow(this);
    CGPrimitive::OnLButtonDown(flags, x, y);
  }
}

void CGRoot::OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) {
  if (m_host) m_host->SetCapture();
  CloseInPlaceEditors();
  if (GetFirstChild() && m_backDC) {
    BorrowedDC borrow(this);
    CGPrimitive::OnLButtonDblClk(flags, x, y);
  }
}

void CGRoot::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  if (m_host) m_host->ReleaseCapture();
  if (!m_backDC) {
    m_captured = nullptr;
    return;
  }
  BorrowedDC borrow(this);
  CGPrimitive::OnLButtonUp(flags, x, y);
}

void CGRoot::OnMouseMove(uint32_t flags, int32_t x, int32_t y) {
  // The release happened outside the window.
  if (!(flags & vt::kMkLButton) && m_captured) OnLButtonUp(flags, x, y);
  if (!m_backDC) return;
  BorrowedDC borrow(this);
  if (m_captured) {
    CGPrimitive::OnMouseMove(flags, x, y);
    return;
  }
  if (flags & vt::kMkLButton) return;
  CGPrimitive* p = IsCursorOverHost() ? ChildFromPoint(x, y, GSTYLE_VISIBLE) : nullptr;
  if (p != m_hover) {
    if (m_hover) m_hover->OnMouseLeave(x, y);
    if (p)
      p->OnMouseEnter(x, y);
    else if (m_host)
      m_host->ReleaseCapture();
    m_hover = p;
  }
  if (p) p->OnMouseHover(x, y);
}

void CGRoot::OnRButtonDown(uint32_t flags, int32_t x, int32_t y) {
  if (!m_backDC) return;
  BorrowedDC borrow(this);
  CGPrimitive::OnRButtonDown(flags, x, y);
}

void CGRoot::OnRButtonDblClk(uint32_t flags, int32_t x, int32_t y) {
  if (!m_backDC) return;
  BorrowedDC borrow(this);
  CGPrimitive::OnRButtonDblClk(flags, x, y);
}

void CGRoot::OnRButtonUp(uint32_t flags, int32_t x, int32_t y) {
  if (!m_backDC) return;
  BorrowedDC borrow(this);
  CGPrimitive::OnRButtonUp(flags, x, y);
}

void CGRoot::OnKeyDown(uint32_t vk, uint32_t repeat, uint32_t flags) {
  if (!GetFirstChild() || !m_backDC) return;
  BorrowedDC borrow(this);
  if (AnyEditorOpen()) return;
  if (!m_shortcuts.empty()) {
    std::string text;
    if (repeat < 2) {
      const vt::Desktop& desktop = vt::CurrentDesktop();
      if (desktop.IsKeyDown(vt::kVkControl)) text += "Ctrl+";
      if (desktop.IsKeyDown(vt::kVkShift)) text += "Shift+";
      text += char(vk & 0xFF);
    }
    FireShortcuts(text);
  }
  CGPrimitive::OnKeyDown(vk, repeat, flags);
}

void CGRoot::OnKeyUp(uint32_t vk, uint32_t repeat, uint32_t flags) {
  if (AnyEditorOpen()) return;
  CGPrimitive::OnKeyUp(vk, repeat, flags);
}

bool CGRoot::OnMouseWheel(uint32_t flags, int32_t delta, int32_t x, int32_t y) {
  if (flags == vt::kMkLButton || !m_wheelTarget || !IsInSubtree(m_wheelTarget) ||
      !m_wheelTarget->CanScrollWheel(flags, delta, x, y))
    return false;
  CloseInPlaceEditors();
  bool result;
  {
    BorrowedDC borrow(this);
    result = m_wheelTarget->OnMouseWheel(flags, delta, x, y);
  }
  if (m_host) {
    const vt::Point c = m_host->ScreenToClient(vt::Point{x, y});
    OnMouseMove(flags, c.x, c.y);
  }
  return result;
}

void CGRoot::OnTimer(uint32_t id) {
  switch (id) {
    case vt::GTIMER_REPEAT:
      if (m_captured && m_captured != this && m_backDC) {
        BorrowedDC borrow(this);
        m_captured->OnTimer(id);
      }
      break;
    case vt::GTIMER_BLINK:
    case vt::GTIMER_TICK:
      if (id == vt::GTIMER_BLINK)
        g_blink = !g_blink;
      else
        ++g_tickCount;
      if (GetFirstChild()) {
        BorrowedDC borrow(this);
        CGPrimitive::OnTimer(id);
      }
      break;
    case vt::GTIMER_TIPSHOW:
      ShowPendingToolTip();
      break;
    case vt::GTIMER_TIPHIDE:
      HideToolTip();
      break;
    case vt::GTIMER_REDRAW:
      if (m_host) m_host->KillTimer(vt::GTIMER_REDRAW);
      if (CGPrimitive* p = m_pendingRedraw) {
        m_pendingRedraw = nullptr;
        BorrowedDC borrow(this);
        p->Redraw();
        p->Flush();
      }
      break;
    default:
      break;
  }
}

int CGRoot::FireShortcuts(const std::string& keyText) {
  const std::string key = vt::AsciiUpper(keyText);
  int fired = 0;
  // A click may change the list; walk a copy.
  const std::vector<Shortcut> entries = m_shortcuts;
  for (const Shortcut& s : entries) {
    if (s.keyText != key) continue;
    if (std::none_of(m_shortcuts.begin(), m_shortcuts.end(),
                     [&](const Shortcut& e) { return e.target == s.target; }))
      continue;
    s.target->OnClick();
    fired = 1;
  }
  return fired;
}

void CGRoot::AddShortcut(const std::string& keyText, CGPrimitive* target) {
  if (target) m_shortcuts.push_back(Shortcut{keyText, target});
}

// ---- editors ----

void CGRoot::Attach(vt::HostWindow* host) {
  m_host = host;
  if (host) {
    host->SetClient(this);
    if (m_createEditors) {
      const vt::Rect r{10, 30, 140, 80};
      if (!m_textEditor)
        m_textEditor = std::make_unique<CTextEdit>(host->CreateEdit(false, kTextEditorId, r));
      if (!m_passwordEditor)
        m_passwordEditor = std::make_unique<CPasswdEdit>(host->CreateEdit(true, kPasswordEditorId, r));
      if (!m_comboEditor) m_comboEditor = std::make_unique<CCombo>(host->CreateCombo(kComboEditorId, r));
    }
  }
  m_fullRedraw = 1;
}

bool CGRoot::AnyEditorOpen() const {
  return (m_textEditor && m_textEditor->GetGadget()) || (m_passwordEditor && m_passwordEditor->GetGadget()) ||
         (m_comboEditor && m_comboEditor->GetGadget());
}

void CGRoot::InvalidateOpenEditors() {
  if (m_textEditor && m_textEditor->GetGadget() && m_textEditor->Control())
    m_textEditor->Control()->Invalidate();
  if (m_passwordEditor && m_passwordEditor->GetGadget() && m_passwordEditor->Control())
    m_passwordEditor->Control()->Invalidate();
  if (m_comboEditor && m_comboEditor->GetGadget() && m_comboEditor->Control())
    m_comboEditor->Control()->Invalidate();
}

void CGRoot::OpenEditor(bool password, CGPrimitive* gadget, const vt::Font* font, const vt::Rect& rect,
                        const std::string& text, int margin) {
  CTextEdit* editor = password ? m_passwordEditor.get() : m_textEditor.get();
  if (editor) editor->Open(gadget, font, rect, text, margin);
}

void CGRoot::OpenCombo(CGPrimitive* gadget, const vt::Rect& rect, int listHeight, const vt::Font* font,
                       int itemCount, const std::string* itemTexts, const int* keyTable, int currentKey,
                       int showList) {
  if (m_comboEditor)
    m_comboEditor->Open(gadget, rect, listHeight, font, itemCount, itemTexts, keyTable, currentKey, showList);
}

void CGRoot::CloseTextEditor(int closeCode) {
  if (m_textEditor) m_textEditor->Commit(closeCode);
}

void CGRoot::CloseInPlaceEditors() {
  // An editor whose end is already queued is not committed a second time.
  auto shown = [](vt::InPlaceEdit* c) { return c && c->IsVisible(); };
  if (m_textEditor && m_textEditor->GetGadget() && shown(m_textEditor->Control()))
    CloseTextEditor(kEditEndClosedByRoot);
  if (m_passwordEditor && m_passwordEditor->GetGadget() && shown(m_passwordEditor->Control()))
    m_passwordEditor->Commit(kEditEndClosedByRoot);
  if (m_comboEditor && m_comboEditor->GetGadget() && m_comboEditor->Control() &&
      m_comboEditor->Control()->IsVisible())
    m_comboEditor->Close(kEditEndClosedByRoot);
}

void CGRoot::OnEditEnd(int closeCode) {
  BorrowedDC borrow(this);
  CGPrimitive* gadget = nullptr;
  if (m_textEditor && (gadget = m_textEditor->GetGadget()))
    m_textEditor->ClearGadget();
  else if (m_passwordEditor && (gadget = m_passwordEditor->GetGadget()))
    m_passwordEditor->ClearGadget();
  else if (m_comboEditor && (gadget = m_comboEditor->GetGadget()))
    m_comboEditor->ClearGadget();
  if (gadget) gadget->EndEdit(closeCode);
}

void CGRoot::RedrawLater(CGPrimitive* p, uint32_t ms) {
  if (!m_host) return;
  m_pendingRedraw = p;
  m_host->SetTimer(vt::GTIMER_REDRAW, ms);
}

void CGRoot::ForgetGadget(CGPrimitive* gadget) {
  if (m_pendingRedraw == gadget) m_pendingRedraw = nullptr;
  if (m_textEditor && m_textEditor->GetGadget() == gadget) {
    m_textEditor->ClearGadget();
    if (m_textEditor->Control()) m_textEditor->Control()->Show(false);
  }
  if (m_passwordEditor && m_passwordEditor->GetGadget() == gadget) {
    m_passwordEditor->ClearGadget();
    if (m_passwordEditor->Control()) m_passwordEditor->Control()->Show(false);
  }
  if (m_comboEditor && m_comboEditor->GetGadget() == gadget) {
    m_comboEditor->ClearGadget();
    if (m_comboEditor->Control()) m_comboEditor->Control()->Show(false);
  }
  if (m_tipOwner == gadget) {
    m_tipOwner = nullptr;
    HideToolTip();
  }
  if (m_wheelTarget == gadget) m_wheelTarget = nullptr;
  std::erase_if(m_shortcuts, [gadget](const Shortcut& s) { return s.target == gadget; });
}

void CGRoot::Cut() {
  if (m_textEditor && m_textEditor->GetGadget() && m_textEditor->Control()) m_textEditor->Control()->Cut();
}

void CGRoot::Copy() {
  if (m_textEditor && m_textEditor->GetGadget() && m_textEditor->Control()) m_textEditor->Control()->Copy();
}

void CGRoot::Paste() {
  if (m_textEditor && m_textEditor->GetGadget() && m_textEditor->Control()) m_textEditor->Control()->Paste();
}

// ---- host, cursor, clipboard ----

void CGRoot::ShowHostFrame(bool show) {
  if (m_host) m_host->ShowParentFrame(show);
}

void CGRoot::BringOwnerToFront() {
  if (m_host) m_host->BringOwnerToFront();
}

void CGRoot::SetWindowCursor(uint32_t resourceId) {
  if (m_host && m_host->Cursor() != vt::CursorId(resourceId)) m_host->SetCursor(vt::CursorId(resourceId));
}

void CGRoot::CopyToClipboard() {
  if (m_backBitmap && m_backDC) vt::CurrentDesktop().SetClipboardBitmap(*m_backBitmap);
}

bool CGRoot::IsCursorOverHost() const { return m_host && vt::CurrentDesktop().IsCursorOver(*m_host); }

bool CGRoot::IsHostActive() const { return m_host && m_host->IsActive(); }

// ---- tooltip ----

void CGRoot::RequestToolTip(CGPrimitive* p) {
  if (p && IsHostActive()) {
    if (p != m_tipOwner) {
      HideToolTip();
      std::string text;
      p->GetTooltipText(&text);
      SetToolTipText(text);
      m_host->SetTimer(vt::GTIMER_TIPSHOW, kTipShowMilliseconds);
    }
  } else {
    HideToolTip();
    p = nullptr;
  }
  m_tipOwner = p;
}

void CGRoot::ShowPendingToolTip() {
  if (!m_host) return;
  m_host->KillTimer(vt::GTIMER_TIPSHOW);
  if (!IsCursorOverHost()) return;
  if (g_rootMaster)
    if (CToolTip* tip = g_rootMaster->GetToolTip()) tip->Show(1);
  m_host->SetTimer(vt::GTIMER_TIPHIDE, kTipHideMilliseconds);
  m_host->SetCapture();
}

void CGRoot::HideToolTip() {
  if (m_host) {
    m_host->ReleaseCapture();
    m_host->KillTimer(vt::GTIMER_TIPSHOW);
    m_host->KillTimer(vt::GTIMER_TIPHIDE);
  }
  if (CToolTip* tip = ExistingToolTip()) tip->Show(0);
}

void CGRoot::SetToolTipText(const std::string& text) {
  if (g_rootMaster)
    if (CToolTip* tip = g_rootMaster->GetToolTip()) tip->SetText(text);
}

// ---- printing ----

void CGRoot::PrintSelf(vt::DeviceContext* dc, int page) {
  if (m_printHeader) PrintHeader(dc, page);
}

int CGRoot::ComputePrintScale(vt::DeviceContext* dc) {
  return std::max(1, dc->GetDeviceCaps(vt::DeviceCap::LogPixelsY) / 120);
}

void CGRoot::BeginPrinting(vt::DeviceContext* dc, CPrintInfo* info) {
  g_printScale = ComputePrintScale(dc);
  if (info) info->maxPage = GetPrintPageCount(dc);
}
