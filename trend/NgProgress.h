// The load-progress overlay of the trend panel: a translucent box in the panel's middle with a
// title and two bars (the channel now refilled and the whole refill), shown while the panel's
// paint refills many samples. It is painted at once onto the window, in the middle of that
// paint. Its first paint of each show copies the window's pixels under it; every paint puts
// that copy back before drawing, so repeated updates keep the translucent box equally bright
// and each show sits on what the window showed at that moment.
//
// Progress paints closer than 16 ms to the previous one are skipped, except the first of a
// show and the final one: a screen cannot show them, and a refill of 100 channels reports
// thousands of steps.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "gadget/GPrimitive.h"
#include "trend/NgProgressSink.h"
#include "trend/TrendRecords.h"

namespace vt {
class Bitmap;
class MemoryDc;
}  // namespace vt

// The overlay's skin block: gradient start and end, outline (ARGB), the bar frame's bitmap,
// mask and nine-slice values (cell width, cell height, margins left, top, right, bottom), the
// fill tile's bitmap, mask and size, the title bar's bitmap, mask, strip width and height, and
// ten colours (the ninth is the title text's).
struct SGNgProgressSkin {
  uint32_t gradientStart = 0xC0E9EEF7;
  uint32_t gradientEnd = 0xC0D3D8E0;
  uint32_t outline = 0xFF787878;
  int barFrameId = 12144, barFrameMaskId = 0;
  int barCellWidth = 5, barCellHeight = 13, barLeft = 2, barTop = 6, barRight = 2, barBottom = 6;
  int tileId = 12143, tileMaskId = 0;
  int tileWidth = 19, tileHeight = 7;
  int titleId = 12145, titleMaskId = 0;
  int titleStripWidth = 1, titleHeight = 18;
  uint32_t colours[10] = {0x02999999, 0x02999999, 0x02999999, 0x02999999, 0x02999999,
                          0x02999999, 0x02999999, 0x02999999, 0x02333333, 0x02333333};
};
void SetNgProgressSkin(const SGNgProgressSkin& skin);

// String ids of the title, the total label and the channel line (0: empty).
extern uint32_t NgProgressTextIds[3];

// "%s   %d%%" up to 9, "%s  %d%%" from 10 to 99, "%s %d%%" from 100 on.
std::string FormatProgressLine(const std::string& text, int percent);

class CGNgProgress : public CGPrimitive, public NgProgressSink {
 public:
  explicit CGNgProgress(CGCore* panel);
  ~CGNgProgress() override;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgProgress); }

  void Draw(vt::DeviceContext* dc) override;
  void Paint(vt::DeviceContext* dc) override;
  // The first paint of a show: copies the window's pixels under the overlay, then paints.
  void PaintFirst(vt::DeviceContext* windowDC);

  // ---- what the data buffers report ----
  void SetPercents(double channelPercent, double totalPercent) override;
  void SetChannelText(const std::string& text) override { m_channelText = text; }
  void SetVisible(bool visible) override { SetStyle(visible ? GSTYLE_ACTIVE : 0); }
  void ShowNow() override;
  void PaintNow() override;

  double m_channelPercent = 0;
  double m_totalPercent = 0;
  std::string m_title;
  std::string m_totalLabel;
  std::string m_channelText;
  // Milliseconds of a steady clock; replaceable for tests.
  std::function<int64_t()> m_clock;
  int m_paints = 0;  // progress paints made (not skipped)

 private:
  void DrawBox(vt::DeviceContext* dc, const vt::Rect& r);
  void DrawTitle(vt::DeviceContext* dc, const vt::Rect& r);
  void DrawLine(vt::DeviceContext* dc, const std::string& text, int l, int t, int r, int b, double percent);
  void RestoreBackground(vt::DeviceContext* back, const vt::Rect& a);

  std::unique_ptr<vt::MemoryDc> m_savedDC;
  std::unique_ptr<vt::Bitmap> m_savedBitmap;
  int64_t m_lastPaint = 0;
};

// The overlay of the panel around a gadget (null outside a panel).
CGNgProgress* FindNgProgress(const CGCore* gadget);
