// vt::TrendConversion: one trend conversion of a graph window, written on its own thread. On the
// user-interface thread it takes everything the writing needs from the document: for every
// converted group its own clones of the channels (same batches, own block caches) in a detached
// group with its own row-time source, the group's display name, the header texts, and copies of
// the alarm and mark items. The worker then touches nothing of the document, so the graph can
// keep painting meanwhile.
//
// Each file holds one sheet per converted group with shown channels (a header block, then one
// row per row time between start and stop), then "Alarm list" and "Mark list" when the document
// has alarms or marks. Rows that do not fit one sheet go on in further files, numbered "_0001"
// on before the final extension. A cancel or a failed write deletes every file of the run.
//
// Rows are written a run at a time: the samples of a run are read from the stored data once for
// all channels of a batch, instead of through each channel's block cache cell by cell; a cell
// the run cannot answer exactly as the channel would is still read through the channel.
#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "document/SDataConvertOption.h"
#include "recorder/CVTDataHeaderInfo.h"

class CGVantrelDoc;
class CGVantrelGroupData;
class CGVantrelAlarmDataManager;
class CGVantrelMarkDataManager;
class CFileConverter;

namespace vt {

inline constexpr int kConvertSheetRows = 65536;
inline constexpr int kConvertSheetColumns = 256;

// The results of a conversion.
enum : int { kConvertOk = 0, kConvertFailed = 1, kConvertCancelled = 42 };

// n = 0: the path; otherwise "_%04d" of n before the format's extension when the path ends in
// it, else appended with the extension.
std::string MakeOutputName(int number, const std::string& path, bool text);
// Header rows of a sheet: 12 unless exactly one batch is in use, then 52 with batch
// information, else 24.
int ConversionHeaderRows(size_t batchCount, bool batchInfo);

class TrendConversion {
 public:
  // The snapshot, taken on the user-interface thread.
  TrendConversion(CGVantrelDoc& doc, const SDataConvertOption& option);
  // Joins a running worker first; user-interface thread.
  ~TrendConversion();
  TrendConversion(const TrendConversion&) = delete;
  TrendConversion& operator=(const TrendConversion&) = delete;

  // Starts the worker; ended(result) runs on it when the writing is over.
  void Start(std::function<void(int result)> ended);
  // Any thread; noticed between groups, sheets and rows.
  void Cancel() { cancel_.store(true); }
  bool IsCancelled() const { return cancel_.load(); }
  void Join();
  // The writing itself: 0, 1 or 42 (the worker's body; tests may run it in place).
  int Run();
  int Result() const { return result_.load(); }
  // The files the last run left on disk.
  const std::vector<std::string>& WrittenFiles() const { return written_; }
  // Called at every data row written (tests hold the worker there).
  void SetRowHook(std::function<void(int64_t rowsDone)> hook) { rowHook_ = std::move(hook); }
  // Off: every cell is read through its channel's own row read, cell by cell, as the numeric
  // sheet reads it (the tests compare both ways); on, the default, the samples of a run of rows
  // are read once for all channels of a batch.
  void SetColumnReads(bool on) { columnReads_ = on; }

 private:
  struct Group {
    std::unique_ptr<CGVantrelGroupData> data;  // detached, holding the clones
    std::string displayName;
    int first = 0, last = -1;  // row indexes of start and stop
  };

  int WriteFile(CFileConverter& out, int k);
  int WriteHeader(CFileConverter& out, const Group& g);
  int WriteRows(CFileConverter& out, Group& g, int sheetRow, int i0, int i1);
  bool Failed(int code);

  SDataConvertOption option_;
  std::string graphName_;
  size_t batchCount_ = 0;
  CVTDataHeaderInfo header_;
  std::string headerTexts_[7];  // batch name, message, type, serial, correction, start, stop cond.
  std::vector<Group> groups_;
  std::unique_ptr<CGVantrelAlarmDataManager> alarms_;
  std::unique_ptr<CGVantrelMarkDataManager> marks_;
  int headerRows_ = 12;
  std::atomic<bool> cancel_{false};
  std::atomic<int> result_{kConvertOk};
  std::vector<std::string> written_;
  std::function<void(int64_t)> rowHook_;
  int64_t rowsDone_ = 0;
  bool columnReads_ = true;
  std::thread worker_;
};

}  // namespace vt
