// The load-progress overlay (see NgProgress.h).
#include "trend/NgProgress.h"

#include <chrono>
#include <cmath>
#include <new>

#include "gadget/GDraw.h"
#include "gadget/GRoot.h"
#include "gadget/GRootMaster.h"
#include "gadget/GSkinCell.h"
#include "gadget/GText.h"
#include "platform/base/Numbers.h"
#include "platform/gui/Bitmap.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/MemoryDc.h"
#include "platform/gui/Path.h"
#include "platform/gui/StringTable.h"

uint32_t NgProgressTextIds[3] = {3235, 3236, 0};

namespace {
SGNgProgressSkin g_progressSkin;
constexpr int64_t kMinPaintInterval = 16;
constexpr int kWidth = 330, kHeight = 98;

int64_t SteadyMilliseconds() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::string TextOf(uint32_t id) { return id ? vt::LoadString(id) : std::string(); }

const vt::Font* FontOf(int style) {
  CGFont* f = g_rootMaster ? g_rootMaster->GetFont(14, style, 0) : nullptr;
  return f ? f->GetFont() : nullptr;
}
}  // namespace

void SetNgProgressSkin(const SGNgProgressSkin& skin) {
  g_progressSkin = skin;
  PreloadSkinBitmap(skin.barFrameId);
  PreloadSkinBitmap(skin.tileId);
  PreloadSkinBitmap(skin.titleId);
}

std::string FormatProgressLine(const std::string& text, int percent) {
  if (percent <= 9) return vt::FormatC("%s   %d%%", text.c_str(), percent);
  if (percent <= 99) return vt::FormatC("%s  %d%%", text.c_str(), percent);
  return vt::FormatC("%s %d%%", text.c_str(), percent);
}

CGNgProgress::CGNgProgress(CGCore* panel)
    : CGPrimitive(panel, 0, 0, 0, 0, kWidth, kHeight),
      m_title(TextOf(NgProgressTextIds[0])),
      m_totalLabel(TextOf(NgProgressTextIds[1])),
      m_channelText(TextOf(NgProgressTextIds[2])),
      m_clock(SteadyMilliseconds) {}

CGNgProgress::~CGNgProgress() {
  if (m_savedDC) m_savedDC->SelectBitmap(nullptr);
}

void CGNgProgress::SetPercents(double channelPercent, double totalPercent) {
  m_channelPercent = channelPercent;
  m_totalPercent = totalPercent;
}

void CGNgProgress::ShowNow() {
  CGRoot* root = GetRootGadget();
  if (!root) return;
  vt::DeviceContext* window = root->BorrowWindowDC();
  if (window) PaintFirst(window);
  root->ReturnWindowDC();
}

void CGNgProgress::PaintNow() {
  const int64_t now = m_clock();
  const bool final = m_channelPercent >= 100 && m_totalPercent >= 100;
  if (!final && now - m_lastPaint < kMinPaintInterval) return;
  vt::DeviceContext* back = GetBackDC();
  if (!back) return;
  CGRoot* root = GetRootGadget();
  root->BorrowWindowDC();
  Paint(back);
  root->ReturnWindowDC();
}

void CGNgProgress::RestoreBackground(vt::DeviceContext* back, const vt::Rect& a) {
  if (m_savedDC) back->BitBlt(a.left, a.top, a.Width(), a.Height(), *m_savedDC, 0, 0, vt::RasterOp::SrcCopy);
}

void CGNgProgress::PaintFirst(vt::DeviceContext* windowDC) {
  vt::Rect a;
  GetAbsoluteRect(&a);
  vt::DeviceContext* back = GetBackDC();
  if (!HasEffectiveStyle(GSTYLE_ACTIVE) || a.IsEmpty() || !back) return;
  if (!m_savedBitmap || m_savedBitmap->Width() != a.Width() || m_savedBitmap->Height() != a.Height()) {
    if (m_savedDC) m_savedDC->SelectBitmap(nullptr);
    m_savedBitmap = vt::Bitmap::Create(a.Width(), a.Height(), 24);
    if (!m_savedDC) m_savedDC = std::make_unique<vt::MemoryDc>();
    m_savedDC->SelectBitmap(m_savedBitmap.get());
  }
  // Taken at every show: each show sits on what the window shows now.
  m_savedDC->BitBlt(0, 0, a.Width(), a.Height(), *windowDC, a.left, a.top, vt::RasterOp::SrcCopy);
  back->SelectClipRect(&a);
  RestoreBackground(back, a);
  Draw(back);
  FlushRect(a);
  m_lastPaint = m_clock();
  ++m_paints;
}

void CGNgProgress::Paint(vt::DeviceContext* dc) {
  vt::Rect a;
  GetAbsoluteRect(&a);
  if (!(GetStyle() & GSTYLE_VISIBLE) || a.IsEmpty()) return;
  dc->SelectClipRect(&a);
  RestoreBackground(dc, a);
  Draw(dc);
  FlushRect(a);
  m_lastPaint = m_clock();
  ++m_paints;
}

void CGNgProgress::Draw(vt::DeviceContext* dc) {
  if ((GetStyle() & GSTYLE_ACTIVE) != GSTYLE_ACTIVE) return;
  vt::Rect a;
  GetAbsoluteRect(&a);
  DrawBox(dc, a);
  DrawTitle(dc, vt::Rect{a.left + 1, a.top + 1, a.right - 1, a.top + g_progressSkin.titleHeight});
  const int h = g_progressSkin.titleHeight;
  DrawLine(dc, FormatProgressLine(m_channelText, int(m_channelPercent)), a.left + 10, a.top + h + 2,
           a.right - 10, a.top + h + 33, m_channelPercent);
  DrawLine(dc, FormatProgressLine(m_totalLabel, int(m_totalPercent)), a.left + 10, a.top + h + 37,
           a.right - 10, a.top + h + 68, m_totalPercent);
}

void CGNgProgress::DrawBox(vt::DeviceContext* dc, const vt::Rect& r) {
  vt::Path outline;
  outline.AddRectangle(r);
  dc->DrawPath(outline, g_progressSkin.outline, 2.0f);
  dc->FillGradientRect(r, g_progressSkin.gradientStart, g_progressSkin.gradientEnd, true);
}

void CGNgProgress::DrawTitle(vt::DeviceContext* dc, const vt::Rect& r) {
  const SGNgProgressSkin& s = g_progressSkin;
  if (const vt::Bitmap* bar = PooledSkinBitmap(s.titleId))
    StretchBitmap(dc, bar, 0, 0, s.titleStripWidth, s.titleHeight, r.left, r.top, r.right, r.bottom);
  DrawAlignedText(dc, r, kAlignCenter, s.colours[8], FontOf(1), m_title);
}

void CGNgProgress::DrawLine(vt::DeviceContext* dc, const std::string& text, int l, int t, int r, int b,
                            double percent) {
  const SGNgProgressSkin& s = g_progressSkin;
  DrawAlignedText(dc, vt::Rect{l + 10, t, r, t + 16}, kAlignLeft, 0x02000000, FontOf(0), text);
  if (const vt::Bitmap* frame = PooledSkinBitmap(s.barFrameId))
    DrawNineSliceCell(dc, frame, PooledSkinBitmap(s.barFrameMaskId), 0, s.barCellWidth, s.barCellHeight,
                      s.barLeft, s.barTop, s.barRight, s.barBottom, vt::Rect{l, t + 18, r, b});
  const vt::Bitmap* tile = PooledSkinBitmap(s.tileId);
  const int w = s.tileWidth;
  if (!tile || w < 1 || !std::isfinite(percent)) return;
  const int F = int((r - l - 6) * percent / 100);
  const int top = t + 21, height = b - t - 24;
  for (int x = 0; x < F; x += w) {
    const int cw = std::min(w, F - x);
    StretchBitmap(dc, tile, 0, 0, cw, s.tileHeight, l + 3 + x, top, l + 3 + x + cw, top + height);
  }
}

CGNgProgress* FindNgProgress(const CGCore* gadget) {
  CGCore* panel = gadget ? gadget->FindAncestorOfClass(GCLASS(CGNgWaveform)) : nullptr;
  return panel ? static_cast<CGNgProgress*>(panel->GetFirstChildOfClass(GCLASS(CGNgProgress))) : nullptr;
}
