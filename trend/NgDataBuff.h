// The display buffers of the trend graph: one per bound channel, holding what the channel's
// trace draws for the range now shown (every sample, every min/max pair, or one min/max per
// pixel column), refilled while the graph paints and only when the shown range changed.
// The manager holds the buffers in channel order and recycles them through the object pool.
#pragma once
#include <cstdint>
#include <vector>

#include "gadget/GDataManager.h"
#include "trend/NgChannel.h"
#include "trend/NgProgressSink.h"

constexpr int NG_BUFFER_SIZE = 8192;

// How a buffer was filled; the traces draw by the mode stored with the data.
enum class NgFillMode { kNone, kSamples, kPairs, kColumns };

// The mode rule shared by the fill and the drawing.
struct NgModeChoice {
  NgFillMode mode = NgFillMode::kNone;
  double secondsPerPixel = 0;
  double interval = 1.0;
  PreciseTime start;  // widened by one interval at each end
  PreciseTime end;
};
NgModeChoice ChooseNgFillMode(int width, PreciseTime start, PreciseTime end, CGNgChannel* channel);

class CGNgDataManager;

class CGNgDataBuff : public CGCore {
 public:
  explicit CGNgDataBuff(CGCore* manager);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgDataBuff); }

  void Clear();
  void Bind(CGNgChannel* channel) { m_channel = channel; }
  void Refill(int width, PreciseTime start, PreciseTime end);
  int64_t GetSampleCount(PreciseTime start, PreciseTime end);
  void ReadMinMaxAt(PreciseTime t, double* min, double* max, uint16_t* status);

  // Entries a trace may read: those the last fill produced and stored.
  int64_t StoredCount() const { return std::min<int64_t>(m_entryCount, int64_t(m_min.size())); }
  int64_t Capacity() const { return int64_t(m_min.size()); }

  int m_nameKind = NAME_CHANNEL_NO;
  PreciseTime m_keyStart;
  PreciseTime m_keyEnd;
  PreciseTime m_firstSampleTime;
  int64_t m_entryCount = 0;
  std::vector<double> m_min;
  std::vector<double> m_max;
  std::vector<uint16_t> m_status;
  CGNgChannel* m_channel = nullptr;
  NgFillMode m_fillMode = NgFillMode::kNone;
  int m_fillWidth = 0;  // the width (at least 2) the last fill was made for

 private:
  void FillSamples(const NgModeChoice& c, bool pairs);
  void FillColumns(int width, const NgModeChoice& c);
  void EnsureCapacity(int64_t entries, int64_t modeBound);
  void Report(double channelPercent);
  CGNgDataManager* Manager() const;
};

class CGNgDataManager : public CGDataManager {
 public:
  CGNgDataManager() : CGDataManager(nullptr) {}
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgDataManager); }

  void SetChannels(int count, CGNgChannel** channels);
  int RefillBuffer(int width, PreciseTime start, PreciseTime end, int index);
  void SetProgress(int done, int index);
  void SetProgressText(int index);
  void ShowProgressNow();
  void PaintProgressNow();
  CGNgDataBuff* GetBuffer(int index) const;
  int GetBufferCount() const { return CountChildren(); }

  double m_basePercent = 0;
  NgProgressSink* m_progress = nullptr;
};
