// Display settings of a trend channel: the records exchanged with the trend display, the scale
// normalisation, the 248-byte saved entry and the text cells of sheet rows.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "document/CGVantrelNgChannel.h"
#include "platform/base/Numbers.h"

namespace {

double Clamp(double v, double lo, double hi) { return std::min(std::max(v, lo), hi); }

}  // namespace

void CGVantrelNgChannel::GetChannelSetting(SNgChannelSetting* r) const {
  r->shown = m_shown;
  r->reserved = 0;
  r->index = int16_t(m_indexInGroup);
  r->channelIndex = int16_t(m_indexInGroup);
  r->axisIndex = int16_t(m_axisIndex);
  for (int i = 0; i < 4; ++i) r->tripShown[i] = m_tripShown[i], r->tripValue[i] = m_tripValue[i];
  r->colour = m_colour;
  r->extra = 0;
}

bool CGVantrelNgChannel::SetChannelSetting(const SNgChannelSetting& r) {
  const bool changed = r.shown != m_shown;
  m_shown = r.shown;
  for (int i = 0; i < 4; ++i) m_tripShown[i] = r.tripShown[i], m_tripValue[i] = r.tripValue[i];
  return changed;
}

void CGVantrelNgChannel::GetAxisSetting(SNgAxisSetting* r) {
  r->shown = m_shown;
  r->legendFlag = m_axisFlag;
  r->labelMode = m_labelMode;
  r->scaleType = m_scaleKind;
  r->exponent = m_exponentForm;
  r->zoom = m_zoom;
  r->gridLevel = m_axisWord;
  r->colour = m_colour;
  std::string name;
  GetName(&name, owner_ ? owner_->GetNameKind() : NAME_CHANNEL_NO);
  vt::CopyTextField(r->name, sizeof r->name, name);
  vt::CopyTextField(r->unit, sizeof r->unit, m_unit);
  r->lowerPosition = m_positionLower;
  r->upperPosition = m_positionUpper;
  r->spanLower = m_spanLower;
  r->spanUpper = m_spanUpper;
  r->scaleMinimum = m_scaleMin;
  r->scaleMaximum = m_scaleMax;
}

void CGVantrelNgChannel::SetAxisSetting(const SNgAxisSetting& r) {
  m_axisFlag = r.legendFlag;
  m_labelMode = r.labelMode;
  m_exponentForm = r.exponent;
  m_zoom = r.zoom;
  m_axisWord = r.gridLevel;
  m_positionLower = r.lowerPosition;
  m_positionUpper = r.upperPosition;
  m_scaleMin = r.scaleMinimum;
  m_scaleMax = r.scaleMaximum;
}

void CGVantrelNgChannel::ResetScale() {
  ComputeScale();
  m_zoom = 1;
  NormalizeScale();
}

void CGVantrelNgChannel::NormalizeScale() {
  if (m_scaleKind == 1) {
    if (m_scaleMax < m_scaleMin) std::swap(m_scaleMin, m_scaleMax);
    m_scaleMin = Clamp(m_scaleMin, 1e-16, 1e16);
    m_scaleMax = Clamp(m_scaleMax, 1e-16, 1e16);
    if (m_scaleMax - m_scaleMin < 1e-16) {
      // One decade around the middle.
      const double sum = m_scaleMin + m_scaleMax;
      m_scaleMin = sum / 6.32455532;
      m_scaleMax = sum * 1.58113883;
    }
    m_scaleMin = Clamp(m_scaleMin, 1e-16, 1e16);
    m_scaleMax = Clamp(m_scaleMax, 1e-16, 1e16);
  } else if (m_scaleKind == 0) {
    m_scaleMin = Clamp(m_scaleMin, -1e16, 1e16);
    m_scaleMax = Clamp(m_scaleMax, -1e16, 1e16);
    const double m = (m_scaleMin + m_scaleMax) / 2;
    if (m_scaleMin > m_scaleMax && m_scaleMin - m_scaleMax < 1e-16) {
      m_scaleMin = m + 5, m_scaleMax = m - 5;  // a reversed axis stays reversed
    } else if (m_scaleMin <= m_scaleMax && m_scaleMax - m_scaleMin < 1e-16) {
      m_scaleMin = m - 5, m_scaleMax = m + 5;
    }
    m_scaleMin = Clamp(m_scaleMin, -1e16, 1e16);
    m_scaleMax = Clamp(m_scaleMax, -1e16, 1e16);
  }
  if (m_positionUpper < m_positionLower) std::swap(m_positionLower, m_positionUpper);
  if (m_positionUpper == m_positionLower) m_positionLower -= 1, m_positionUpper += 1;
  m_positionLower = Clamp(m_positionLower, 0, 99);
  m_positionUpper = Clamp(m_positionUpper, 1, 100);
  const double lo = std::min(m_scaleMin, m_scaleMax), hi = std::max(m_scaleMin, m_scaleMax);
  for (double& trip : m_tripValue) trip = Clamp(trip, lo, hi);
}

void CGVantrelNgChannel::SaveEntry(uint8_t* e) {
  using namespace vt;
  PutU8(e, 0, m_shown);
  PutI16(e, 2, int16_t(m_indexInGroup));
  PutI16(e, 4, int16_t(m_indexInGroup));
  PutI16(e, 6, int16_t(m_axisIndex));
  for (int i = 0; i < 4; ++i) PutI16(e, 8 + 2 * size_t(i), m_tripShown[i]);
  for (int i = 0; i < 4; ++i) PutF64(e, 16 + 8 * size_t(i), m_tripValue[i]);
  PutU32(e, 48, m_colour);
  PutI32(e, 52, m_channelNo);
  PutU8(e, 57, m_axisFlag);
  PutI16(e, 58, m_labelMode != 1 ? 1 : 0);
  PutI16(e, 60, m_scaleKind != 0 ? 1 : 0);
  PutI16(e, 62, m_exponentForm != 0 ? 1 : 0);
  PutI16(e, 64, m_zoom);
  PutI16(e, 66, m_axisWord);
  PutI32(e, 68, m_decimals);
  PutText(e, 72, 16, m_unit);
  PutF64(e, 88, m_positionLower);
  PutF64(e, 96, m_positionUpper);
  PutF64(e, 104, m_spanLower);
  PutF64(e, 112, m_spanUpper);
  PutF64(e, 120, m_scaleMin);
  PutF64(e, 128, m_scaleMax);
  PutI64(e, 136, int64_t(m_markGroupMask));
  m_batchGuid.ToBytes(e + 144);
  std::string tag;
  GetName(&tag, NAME_TAG);
  PutText(e, 160, 40, tag);
  GetName(&tag, NAME_TAG_NO);
  PutText(e, 200, 40, tag);
  PutI32(e, 240, m_segmentIndex);
  PutI32(e, 244, m_segmentCount);
}

bool CGVantrelNgChannel::RestoreEntry(const uint8_t* e) {
  using namespace vt;
  const vt::Guid guid = vt::Guid::FromBytes(e + 144);
  m_segmentIndex = GetI32(e, 240);
  m_segmentCount = GetI32(e, 244);
  if (!Bind(guid, GetI32(e, 52), m_displayGroup)) return false;
  m_indexInGroup = GetI16(e, 4);
  m_shown = e[0];
  m_axisIndex = GetI16(e, 6);
  for (int i = 0; i < 4; ++i) m_tripShown[i] = GetI16(e, 8 + 2 * size_t(i));
  for (int i = 0; i < 4; ++i) m_tripValue[i] = GetF64(e, 16 + 8 * size_t(i));
  m_colour = GetU32(e, 48);
  m_axisFlag = e[57];
  m_labelMode = GetI16(e, 58) != 0 ? 2 : 1;
  m_scaleKind = GetI16(e, 60) != 0 ? 1 : 0;
  m_exponentForm = GetI16(e, 62) != 0 ? 1 : 0;
  m_zoom = GetI16(e, 64);
  m_axisWord = GetI16(e, 66);
  m_unit = GetText(e, 72, 16);
  m_positionLower = GetF64(e, 88);
  m_positionUpper = GetF64(e, 96);
  m_spanLower = GetF64(e, 104);
  m_spanUpper = GetF64(e, 112);
  m_scaleMin = GetF64(e, 120);
  m_scaleMax = GetF64(e, 128);
  NormalizeScale();
  m_markGroupMask = uint64_t(GetI64(e, 136));
  return true;
}

const char* CGVantrelNgChannel::GetSampleStatusText(int code) {
  // The sheet's texts of the named states; any other code has no text here.
  return code >= NGS_PLUS_OVER && code <= NGS_BURNOUT ? vt::NgStateText(code) : "";
}

void CGVantrelNgChannel::FormatValueText(int code, double value, std::string* text) const {
  if (code != 0) {
    *text += '\t';
    *text += GetSampleStatusText(code);
    return;
  }
  // Twelve columns, right-aligned, with a blank where a plus sign would go; a longer number is
  // written whole.
  std::string cell;
  if (m_exponentForm == 1) {
    cell = (value < 0 || std::signbit(value) ? "" : " ") + vt::FormatExp3(value, m_decimals);
    if (cell.size() < 12) cell.insert(0, 12 - cell.size(), ' ');
  } else {
    cell = vt::FormatC("% 12.*f", m_decimals, value);
  }
  *text += '\t';
  *text += cell;
}

void CGVantrelNgChannel::FormatRowText(PreciseTime t, std::string* text) {
  int inData = 0, exact = 0;
  uint16_t status = 0;
  if (GetDataKind() == DATA_PAIRS) {
    double min = 0, max = 0;
    ReadRowMinMax(t, &inData, &exact, &min, &max, &status);
    FormatValueText(NgFirstState(status), min, text);
    FormatValueText(NgSecondState(status), max, text);
  } else {
    double value = 0;
    ReadRowValue(t, &inData, &exact, &value, &status);
    FormatValueText(NgFirstState(status), value, text);
  }
}

FCONV_ECODE CGVantrelNgChannel::WriteHeaderCell(CFileConverter* converter, int kind, int row, int* column) {
  std::string text;
  if (kind >= NAME_CHANNEL_NO && kind <= NAME_TAG_NO)
    GetName(&text, kind);
  else
    text = m_unit;
  const FCONV_ECODE r = converter->WriteString(row, *column, text.c_str());
  *column += GetDataKind() == DATA_PAIRS ? 2 : 1;
  return r;
}

FCONV_ECODE CGVantrelNgChannel::WriteMinMaxCaptions(CFileConverter* converter, int row, int* column) {
  FCONV_ECODE r = converter->WriteString(row, (*column)++, "Min");
  if (r == FCONV_OK) r = converter->WriteString(row, (*column)++, "Max");
  return r;
}

FCONV_ECODE CGVantrelNgChannel::WriteRowCells(CFileConverter* converter, PreciseTime t, int row, int* column,
                                              int noPadding) {
  int inData = 0, exact = 0;
  uint16_t status = 0;
  if (GetDataKind() == DATA_PAIRS) {
    double min = 0, max = 0;
    ReadRowMinMaxWith(t, noPadding == 0, &inData, &exact, &min, &max, &status);
    FCONV_ECODE r = WriteValueCell(converter, NgFirstState(status), min, row, (*column)++);
    if (r != FCONV_OK) return r;
    return WriteValueCell(converter, NgSecondState(status), max, row, (*column)++);
  }
  double value = 0;
  ReadRowValueWith(t, noPadding == 0, &inData, &exact, &value, &status);
  return WriteValueCell(converter, NgFirstState(status), value, row, (*column)++);
}

FCONV_ECODE CGVantrelNgChannel::WriteValueCell(CFileConverter* converter, int code, double value, int row,
                                               int column) {
  if (code != 0) return converter->WriteString(row, column, GetSampleStatusText(code));
  if (m_exponentForm == 1) return converter->WriteExp(row, column, value, 4);
  return converter->WriteDouble(row, column, value, short(m_decimals));
}
