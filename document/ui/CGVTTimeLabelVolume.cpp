// The time box and its two step buttons (see CGVTTimeLabelVolume.h).
#include "document/ui/CGVTTimeLabelVolume.h"

#include <cstdio>

#include "gadget/GDraw.h"
#include "gadget/GRoot.h"
#include "gadget/GRootMaster.h"
#include "gadget/GSkin.h"
#include "gadget/GText.h"
#include "platform/gui/DeviceContext.h"
#include "recorder/SharedTimeZone.h"

GADGET_DEFINE_RECORD(CGVTTimeLabelVolume, CGSkDigitalVolume64)
GADGET_DEFINE_RECORD(CGVTVolumeDownButton, CGSkVolumeDownButton)
GADGET_DEFINE_RECORD(CGVTVolumeUpButton, CGSkVolumeUpButton)

namespace {

constexpr size_t kDateChars = 10, kTimeChars = 12;

void StepParent(CGPrimitive* button, int64_t deltaMs) {
  CGCore* parent = button->GetParent();
  if (IsKindOfClass(parent, GCLASS(CGVTTimeLabelVolume)))
    static_cast<CGVTTimeLabelVolume*>(parent)->StepBy(deltaMs);
}

}  // namespace

const SGClassInfo* CGVTVolumeDownButton::GetClassInfo() const { return GCLASS(CGVTVolumeDownButton); }
const SGClassInfo* CGVTVolumeUpButton::GetClassInfo() const { return GCLASS(CGVTVolumeUpButton); }
void CGVTVolumeDownButton::OnClick() { StepParent(this, -m_step); }
void CGVTVolumeUpButton::OnClick() { StepParent(this, m_step); }

std::string FormatTimeBoxText(TickTime time) {
  const vt::FileTime utc = vt::TicksToFileTime(time.ticks);
  vt::FileTime local{};
  UtcToDisplayFileTime(&utc, &local);
  vt::SystemTime st;
  if (!vt::FileTimeToSystemTime(local, &st)) return std::string();
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d\n%02d:%02d:%02d.%03d", st.wYear, st.wMonth, st.wDay,
                st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
  return buffer;
}

CGVTTimeLabelVolume::CGVTTimeLabelVolume(CGCore* parent, int left, int top, int width, int height, int id,
                                         int style)
    : CGSkDigitalVolume64(parent, left, top, height, id, style) {
  m_rect.right = m_rect.left + width;
  delete m_downButton;
  delete m_upButton;
  m_downButton = nullptr;
  m_upButton = nullptr;
  if ((style & GSTYLE_ACTIVE) == GSTYLE_ACTIVE) {
    m_downButton = new CGVTVolumeDownButton(this);
    m_upButton = new CGVTVolumeUpButton(this);
  }
}

const SGClassInfo* CGVTTimeLabelVolume::GetClassInfo() const { return GCLASS(CGVTTimeLabelVolume); }

CGVTVolumeDownButton* CGVTTimeLabelVolume::TimeDownButton() const {
  return static_cast<CGVTVolumeDownButton*>(m_downButton);
}
CGVTVolumeUpButton* CGVTTimeLabelVolume::TimeUpButton() const {
  return static_cast<CGVTVolumeUpButton*>(m_upButton);
}

void CGVTTimeLabelVolume::SetTime(TickTime time) {
  m_time = time;
  if (std::string text = FormatTimeBoxText(time); !text.empty()) m_text = std::move(text);
}

void CGVTTimeLabelVolume::SetStep(int64_t ms) {
  if (CGVTVolumeDownButton* down = TimeDownButton()) down->m_step = ms;
  if (CGVTVolumeUpButton* up = TimeUpButton()) up->m_step = ms;
}

int64_t CGVTTimeLabelVolume::GetStep() const { return TimeUpButton() ? TimeUpButton()->m_step : 0; }

void CGVTTimeLabelVolume::StepBy(int64_t deltaMs) {
  const TickTime before = m_time;
  SetTime(m_time.PlusMilliseconds(deltaMs));
  if (m_time == before) return;
  if (CGRoot* root = GetRootGadget(); root && root->GetBackDCPtr()) {
    Paint(root->GetBackDCPtr());
    Flush();
  }
  FireEvent(GEVENT_CHANGED);
}

void CGVTTimeLabelVolume::DrawLines(vt::DeviceContext* dc, const vt::Rect& r, vt::ColorRef colour,
                                    CGFont* font) {
  if (m_text.empty() || !font) return;
  const std::string date = m_text.substr(0, kDateChars);
  const std::string time = m_text.size() > kTimeChars ? m_text.substr(m_text.size() - kTimeChars) : m_text;
  const int middle = (r.top + r.bottom) / 2;
  DrawAlignedText(dc, vt::Rect{r.left, r.top, r.right, middle}, kAlignCenter, colour, font->GetFont(), date);
  DrawAlignedText(dc, vt::Rect{r.left, middle, r.right, r.bottom}, kAlignCenter, colour, font->GetFont(),
                  time);
}

void CGVTTimeLabelVolume::Draw(vt::DeviceContext* dc) {
  const vt::SGSkinBlock& skin = SkinBlock(SkinReceiver::DigitalVolume64);
  const bool active = HasEffectiveStyle(GSTYLE_ACTIVE);
  vt::Rect r;
  GetAbsoluteRect(&r);
  const vt::ColorRef frame = skin.Colour(active ? 8 : 12);
  FillBevelRect(dc, r, 1, skin.Colour(active ? 0 : 4), frame, frame);
  if (m_style & GSTYLE_MASKED) return;
  const int right = m_upButton ? r.left + m_upButton->Rect().left - 2 : r.right;
  DrawLines(dc, vt::Rect{r.left, r.top, right, r.bottom}, skin.Colour(active ? 16 : 20), m_font);
}

void CGVTTimeLabelVolume::PrintSelf(vt::DeviceContext* dc, int page) {
  (void)page;
  vt::Rect r;
  GetAbsolutePrintRect(&r);
  if (r.IsEmpty()) return;
  DrawBevelLines(dc, 1, 0x02000000, 0x02000000, r.left, r.top, r.right, r.bottom);
  CGFont* font = g_rootMaster ? g_rootMaster->GetFont(m_fontHeight * GetPrintScale(), 0, 0) : nullptr;
  DrawLines(dc, r, 0x02000000, font);
}
