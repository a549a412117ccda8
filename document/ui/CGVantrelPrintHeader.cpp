// The printed page header.
#include "document/ui/CGVantrelPrintHeader.h"

#include <algorithm>
#include <cstdio>

#include "gadget/ClassRecords.h"
#include "gadget/GText.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/Font.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/StringTable.h"

GADGET_DEFINE_RECORD(CGVantrelPrintHeader, CGGroup)

namespace {

constexpr vt::ColorRef kTextColour = 0x025E5E5E;
constexpr int kRows = 5;
constexpr int kDetailedRows = 13;
constexpr int kSerialLabelId = 625;

}  // namespace

CGVantrelPrintHeader::CGVantrelPrintHeader() : CGGroup(nullptr, 0, 0, 0, 3, 0, 0, 0, 0, 0x02FFFFFF) {}

CGVantrelPrintHeader::~CGVantrelPrintHeader() = default;

bool CGVantrelPrintHeader::IsDetailed(const CGVantrelDoc* doc) {
  return doc && doc->GetBatchesInUse().size() == 1;
}

int CGVantrelPrintHeader::HeaderHeight(const CGVantrelDoc* doc, int rowHeight) {
  return (IsDetailed(doc) ? kDetailedRows : kRows) * rowHeight;
}

void CGVantrelPrintHeader::Build(vt::DeviceContext* dc, CGVantrelDoc* doc, int fontHeight, int rowHeight,
                                 bool detailed) {
  m_fontHeight = fontHeight;
  m_rowHeight = rowHeight;
  m_cells.clear();
  vt::LogFont lf;
  lf.height = fontHeight;
  lf.SetFaceName("Arial");
  m_font = vt::Font::Create(lf);
  const int width = m_printRect.right - m_printRect.left;
  const int half = width / 2;
  int row = 1;
  auto add = [&](uint32_t labelId, std::string value, int x = 0, int right = -1) {
    m_cells.push_back(Cell{x, row, right < 0 ? width : right, vt::LoadString(labelId), std::move(value)});
  };
  add(5004, doc ? doc->m_graphName : "");
  ++row;
  if (detailed && doc) {
    doc->LoadHeaderInfo();
    add(610, doc->GetBatchNameText());
    ++row;
    add(3228, doc->GetFileMessageText());
    ++row;
    // Left then right, row by row.
    const std::pair<uint32_t, std::string> pairs[] = {
        {608, doc->GetInstrumentNameText()}, {kSerialLabelId, doc->GetSerialNoText()},
        {609, doc->GetInstrumentTypeText()}, {3229, doc->GetSampleRateText()},
        {3163, doc->GetStartTimeText()},     {912, doc->GetStartConditionText()},
        {3164, doc->GetStopTimeText()},      {913, doc->GetStopConditionText()},
        {916, doc->GetTimeCorrectionText()}, {914, doc->GetDataCountText()},
    };
    for (std::size_t i = 0; i < std::size(pairs); ++i) {
      const bool right = i % 2 == 1;
      add(pairs[i].first, pairs[i].second, right ? half : 0, right ? width : half);
      if (right) ++row;
    }
    ++row;  // one empty row before the range
  }
  m_rangeCell = int(m_cells.size());
  add(3172, "----/--/-- --:--:--.--- - ----/--/-- --:--:--.---");
  ++row;
  add(5005, doc ? doc->m_printComment : "");
  m_labelWidth = 0;
  const vt::Font* previous = dc->SelectFont(m_font.get());
  for (const Cell& c : m_cells) m_labelWidth = std::max(m_labelWidth, int(dc->GetTextExtent(c.label).cx));
  dc->SelectFont(previous);
  SetPrintHeight((detailed ? kDetailedRows : kRows) * rowHeight);
}

void CGVantrelPrintHeader::SetPageNumber(int page, int count) {
  char text[32];
  std::snprintf(text, sizeof text, "%d/%d", page, count);
  m_pageText = text;
}

void CGVantrelPrintHeader::SetRangeText(const std::string& text) {
  if (m_rangeCell >= 0 && m_rangeCell < int(m_cells.size())) m_cells[std::size_t(m_rangeCell)].value = text;
}

void CGVantrelPrintHeader::PrintSelf(vt::DeviceContext* dc, int page) {
  (void)page;
  if (!m_font) return;
  const int left = m_printRect.left, top = m_printRect.top;
  auto rowRect = [&](int row, int x, int right) {
    return vt::Rect{left + x, top + row * m_rowHeight, left + right, top + (row + 1) * m_rowHeight};
  };
  DrawAlignedText(dc, rowRect(0, 0, m_printRect.right - left), kAlignRight, kTextColour, m_font.get(),
                  m_pageText);
  const vt::Font* previous = dc->SelectFont(m_font.get());
  const int separator = int(dc->GetTextExtent(" : ").cx);
  dc->SelectFont(previous);
  for (const Cell& c : m_cells) {
    const int labelEnd = c.x + m_labelWidth;
    DrawAlignedText(dc, rowRect(c.row, c.x, labelEnd), kAlignLeft, kTextColour, m_font.get(), c.label);
    DrawAlignedText(dc, rowRect(c.row, labelEnd, labelEnd + separator), kAlignLeft, kTextColour, m_font.get(),
                    " : ");
    const vt::Rect value = rowRect(c.row, labelEnd + separator, c.width);
    std::string text = c.value;
    FitTextToWidth(dc, m_font.get(), value.Width(), &text);
    DrawAlignedText(dc, value, kAlignLeft, kTextColour, m_font.get(), text);
  }
}
