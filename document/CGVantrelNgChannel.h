// CGVantrelNgChannel: one channel of one stored batch (optionally one time block, "segment", of
// it) bound to the trend display. The trend graph, the numeric sheet, the cursor box and the
// statistics read it through CGNgChannel: names, unit, decimals, colour, data span, interval,
// single samples, min/max pairs, sheet row values, the extremes over one pixel column, and the
// minimum, maximum and mean over a range. Samples come from the channel's block cache, which
// reads the batch through CVTBatch.
//
// Sample reads follow the trend interfaces: ReadValueFrom and ReadMinMaxFrom deliver the first
// sample at or after t (a time less than 1e-4 s after a grid point counts as that point); the
// "At" reads deliver the sample of the grid point within an interval/100 of t. The channel also
// carries the display settings of its trace and Y axis, the records it exchanges with the trend
// display and the 248-byte entry it keeps in a saved graph.
//
// A binding whose sample interval is below 1 ms is refused: the grid arithmetic needs at least
// one millisecond per sample. Clone gives a second binding on the same batch with its own cache,
// for a reader on another thread (the trend conversion) that must not share the screen's blocks.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "document/CGVantrelNgChannelDataCache.h"
#include "document/CGVantrelNgChannelSummary.h"
#include "document/DocumentRecords.h"
#include "document/NgChannelOwner.h"
#include "document/NgExchangeRecords.h"
#include "formshift/CFileConverter.h"
#include "platform/base/Guid.h"
#include "recorder/TickTime.h"
#include "trend/NgChannel.h"

class CVTBatch;

inline constexpr size_t kSavedTagEntryBytes = 248;

namespace vt {

// The identifying fields of a channel: which batch, which channel, which display group.
struct SVantrelChannelKey {
  std::string batchGuid;  // the 8-4-4-4-12 text
  int channelNo = 0;
  int displayGroup = -1;
};

}  // namespace vt

class CGVantrelNgChannel : public CGNgChannel {
 public:
  explicit CGVantrelNgChannel(CGCore* parent);
  ~CGVantrelNgChannel() override;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGVantrelNgChannel); }
  // Deletes the cache, gives the batch back, then pools or deletes the channel.
  void Release() override;

  // Segments (time blocks) of a batch; 0 when it cannot be acquired.
  static int GetBatchSegmentCount(const vt::Guid& batch);
  static int GetKeySegmentCount(const vt::SVantrelChannelKey& key);

  void SetOwner(vt::NgChannelOwner* owner) { owner_ = owner; }
  vt::NgChannelOwner* GetOwner() const { return owner_; }
  void SetSegment(int index, int count) { m_segmentIndex = index, m_segmentCount = count; }
  void SetIndexInGroup(int index) { m_indexInGroup = index; }
  int GetIndexInGroup() const { return m_indexInGroup; }

  // Binds to the batch, channel and display group of the key; false when the GUID text is not
  // one, the batch cannot be acquired or its interval is below 1 ms.
  bool BindToKey(const vt::SVantrelChannelKey& key);
  bool Bind(const vt::Guid& batch, int channelNo, int displayGroup);
  // A new channel bound like this one, with its own cache (null when binding fails).
  CGVantrelNgChannel* Clone(CGCore* parent) const;
  bool IsBound() const { return batch_ != nullptr; }

  // data start <= t <= data end, at millisecond resolution.
  bool IsInDataRange(const PreciseTime& t) const;

  // CGChannel
  int GetAttribute() override { return int(uint32_t(uint64_t(m_attribute))); }
  int GetDecimals() override { return m_decimals; }
  int IsExponent() override { return m_exponentForm; }
  int GetChannelNumber() override { return m_channelNo; }
  void GetName(std::string* out, int kind) override;
  void GetUnit(std::string* out) override { *out = m_unit; }
  int IsShown() override { return m_shown; }
  uint32_t GetColour() override { return m_colour; }

  // CGNgChannel
  int64_t GetSampleCount(PreciseTime start, PreciseTime end) override;
  int GetDataKind() override { return m_dataKind == 1 ? DATA_PAIRS : DATA_SINGLE; }
  int ReadRowMinMax(PreciseTime t, int* inData, int* exact, double* min, double* max,
                    uint16_t* status) override;
  void ReadMinMaxFrom(PreciseTime t, PreciseTime* time, double* min, double* max, uint16_t* status) override;
  void ReadMinMaxAt(PreciseTime t, double* min, double* max, uint16_t* status) override;
  int ReadRowValue(PreciseTime t, int* inData, int* exact, double* value, uint16_t* status) override;
  void ReadValueFrom(PreciseTime t, PreciseTime* time, double* value, uint16_t* status) override;
  uint16_t ReadValueAt(PreciseTime t, double* value, uint16_t* status) override;
  void GetDataStart(PreciseTime* t) override { *t = m_startTime; }
  void GetDataRange(PreciseTime* t0, PreciseTime* t1) override { *t0 = m_startTime, *t1 = m_endTime; }
  void ReadMinMaxOver(PreciseTime t0, PreciseTime t1, double* min, double* max, uint16_t* status) override;
  void ReadMinMaxColumns(double start, double width, int64_t first, int64_t count, double* min, double* max,
                         uint16_t* status) override;
  double GetSampleInterval() override { return m_interval; }
  void GetMinOver(PreciseTime t0, PreciseTime t1, double* min, uint16_t* status) override;
  void GetMaxOver(PreciseTime t0, PreciseTime t1, double* max, uint16_t* status) override;
  void GetSumOver(PreciseTime t0, PreciseTime t1, double* mean, uint16_t* status) override;

  // Minimum, maximum and mean of the valid values of [t0, t1] in one walk, with their statuses
  // (0, or 0x3000 when nothing is valid). GetMinOver, GetMaxOver and GetSumOver over the same
  // span reuse the last walk.
  void GetStatisticsOver(PreciseTime t0, PreciseTime t1, double* min, double* max, double* mean,
                         uint16_t* status);

  // Row reads with an explicit padding switch (non-zero: no padding) instead of the owner's.
  int ReadRowValueWith(PreciseTime t, bool pad, int* inData, int* exact, double* value, uint16_t* status);
  int ReadRowMinMaxWith(PreciseTime t, bool pad, int* inData, int* exact, double* min, double* max,
                        uint16_t* status);
  // The nearest sample's time at t and its four alarm flags.
  int ReadNearestSampleTime(PreciseTime t, TickTime* out);

  // Row-time helpers of the trend sheet: the channel's next grid time after t (0 = none), and
  // the earliest such time over several channels.
  TickTime NextSampleTimeAfter(TickTime t) const;
  static bool EarliestNextSampleTime(CGVantrelNgChannel* const* channels, int count, TickTime t,
                                     TickTime* out);

  // The value of a raw sample.
  double ScaleValue(int32_t raw) const;
  // Whether a larger raw value never means a smaller value.
  bool ScaleIncreases() const { return scaleIncreases_; }

  // Display settings, exchange records and the saved entry.
  void GetChannelSetting(SNgChannelSetting* r) const;
  bool SetChannelSetting(const SNgChannelSetting& r);
  void GetAxisSetting(SNgAxisSetting* r);
  void SetAxisSetting(const SNgAxisSetting& r);
  void ResetScale();
  void NormalizeScale();
  void SaveEntry(uint8_t* entry);
  bool RestoreEntry(const uint8_t* entry);
  // Status text of a state code ("" for a value, no data and unknown codes).
  static const char* GetSampleStatusText(int code);
  // Appends one cell of row text: a tab and the status text, or a tab and the value in 12
  // columns (the channel's decimals, exponent form when set).
  void FormatValueText(int code, double value, std::string* text) const;
  // The cells of one row (two for a pair) with the owner's padding.
  void FormatRowText(PreciseTime t, std::string* text);

  // Cells of converted files. Each returns the converter's result; a column counter advances by
  // the cells the channel takes (two for a channel of pairs).
  // kind 0 channel number, 1 tag name, 2 tag number, any other the unit.
  FCONV_ECODE WriteHeaderCell(CFileConverter* converter, int kind, int row, int* column);
  FCONV_ECODE WriteMinMaxCaptions(CFileConverter* converter, int row, int* column);
  // The row read at t with an explicit switch: noPadding non-zero leaves cells without a value empty.
  FCONV_ECODE WriteRowCells(CFileConverter* converter, PreciseTime t, int row, int* column, int noPadding);
  FCONV_ECODE WriteValueCell(CFileConverter* converter, int code, double value, int row, int column);

  // Accessors used by the cache, the row source and the group.
  const vt::Guid& GetBatchGuid() const { return m_batchGuid; }
  CVTBatch* GetBatch() const { return batch_; }
  int GetBatchDataKind() const { return m_dataKind; }
  int GetSegmentIndex() const { return m_segmentIndex; }
  int GetSegmentCount() const { return m_segmentCount; }
  TickTime GetStartTicks() const { return m_startTicks; }
  TickTime GetEndTicks() const { return m_endTicks; }
  int64_t GetIntervalMs() const { return intervalMs_; }
  CGVantrelNgChannelDataCache* GetCache() const { return m_cache; }
  // The min/max summaries shared with the other channels of the batch (null for a clone, or
  // when they cannot be had) and this channel's place among them.
  vt::CGVantrelNgChannelSummary* GetSummary() const { return summary_.get(); }
  int GetSummarySlot() const { return summarySlot_; }
  void SetMarkGroupMask(uint64_t mask) { m_markGroupMask = mask; }
  uint64_t GetMarkGroupMask() const { return m_markGroupMask; }
  int GetAxisIndex() const { return m_axisIndex; }
  void SetAxisIndex(int i) { m_axisIndex = i; }
  double GetScaleMinimum() const { return m_scaleMin; }
  double GetScaleMaximum() const { return m_scaleMax; }
  int GetScaleKind() const { return m_scaleKind; }
  void SetScale(int kind, double minimum, double maximum) {
    m_scaleKind = kind, m_scaleMin = minimum, m_scaleMax = maximum;
  }
  void SetPositions(double lower, double upper) { m_positionLower = lower, m_positionUpper = upper; }
  double GetPositionLower() const { return m_positionLower; }
  double GetPositionUpper() const { return m_positionUpper; }
  void SetTrip(int i, int shown, double value) { m_tripShown[i] = int16_t(shown), m_tripValue[i] = value; }
  double GetTripValue(int i) const { return m_tripValue[i]; }
  int IsTripShown(int i) const { return m_tripShown[i]; }
  void SetShown(int shown) { m_shown = uint8_t(shown); }
  void SetColour(uint32_t colour) { m_colour = colour; }

 private:
  void ReleaseBinding();
  void LeaveSummary();
  void ComputeScale();
  // The grid point of the channel nearest to t, and the first one at or after t.
  TickTime NearestGrid(const PreciseTime& t) const;
  TickTime GridFrom(const PreciseTime& t) const;
  PreciseTime ToPrecise(TickTime t) const;
  // One pass over the valid values of [t0, t1].
  struct Stats {
    double min, max, sum;
    int64_t count;
  };
  bool Statistics(PreciseTime t0, PreciseTime t1, Stats* out);
  // The last walk and its span, reused until the binding changes.
  struct LastStats {
    bool valid = false;
    int binding = 0;
    PreciseTime t0, t1;
    Stats stats{};
  } lastStats_;
  int binding_ = 0;  // counts the bindings, so that a walk never outlives the one it read

  // Binding fields.
  int m_segmentIndex = -1;
  int m_segmentCount = 0;
  std::string m_channelText, m_tagNo, m_tagName;
  vt::Guid m_batchGuid;
  TickTime m_startTicks, m_endTicks;
  PreciseTime m_startTime, m_endTime;
  double m_interval = 0.0;
  int64_t intervalMs_ = 0;
  int64_t m_attribute = 0;
  std::string m_unit;
  int m_logarithmic = 0;
  int m_channelNumbers[2] = {0, 0};
  int m_dataKind = -1;
  int m_decimals = 0;
  int m_channelNo = 0;
  int m_displayGroup = -1;
  int m_indexInGroup = 0;
  int m_rawScaleLower = 0, m_rawScaleUpper = 0;
  double m_logBase = 10.0, m_logCoefficient = 1.0;
  double m_linearFactor = 1.0;
  bool scaleIncreases_ = true;
  CVTBatch* batch_ = nullptr;
  CGVantrelNgChannelDataCache* m_cache = nullptr;
  vt::NgChannelOwner* owner_ = nullptr;
  std::shared_ptr<vt::CGVantrelNgChannelSummary> summary_;
  int summarySlot_ = -1;
  bool shareSummaries_ = true;  // false for a clone, read on another thread

  // Display fields.
  uint64_t m_markGroupMask = 0;
  uint8_t m_shown = 1;
  int16_t m_tripShown[4] = {0, 0, 0, 0};
  double m_tripValue[4] = {0, 0, 0, 0};
  uint32_t m_colour = 0x02CACACA;
  uint8_t m_axisFlag = 1;
  int16_t m_labelMode = 2;
  int16_t m_scaleKind = 0;
  int16_t m_exponentForm = 0;
  int16_t m_zoom = 1;
  int16_t m_axisWord = 1;
  double m_positionLower = 0.0, m_positionUpper = 100.0;
  double m_spanLower = -22.0, m_spanUpper = 22.0;
  double m_scaleMin = -22.0, m_scaleMax = 22.0;
  int m_axisIndex = 0;
};
