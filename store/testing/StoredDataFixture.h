// Fixtures of the stored-data tests: recordings made with the recorder-file generator and
// imported into a storage by its own import, which joins the files of one recording into a batch.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "StoreTestSupport.h"
#include "platform/base/Guid.h"
#include "store/VTDataStorage.h"
#include "tools/recgen/NewerRecorderFile.h"

namespace store_test {

// 2023-11-14 22:13:20 UTC, in milliseconds since 1970: the start of most fixture recordings.
inline constexpr int64_t kBaseMs = 1700000000000;

// A newer-format file of one recording (GUID data1 = recording): a 16-bit channel 1 and a
// 32-bit channel 2, `records` records from firstMs on at intervalMs, data numbers from
// startDataNo (the recording's memory start data number is 1). dataKind 1 event, 2 display.
// Values follow the generator's pattern.
recgen::NewerFile RecordingFile(uint32_t recording, int64_t startDataNo, int records, int64_t firstMs,
                                int intervalMs, int dataKind = 1);
// The same with explicit record times (milliseconds since 1970); a time that is not the previous
// one plus the interval is a time change, and the header then counts one.
recgen::NewerFile RecordingFileAt(uint32_t recording, int64_t startDataNo,
                                  const std::vector<int64_t>& timesMs, int intervalMs, int dataKind = 1);
// The TickTime of milliseconds since 1970.
TickTime MsTime(int64_t ms);
// The GUID of a recording made by RecordingFile.
vt::Guid RecordingGuid(uint32_t recording);

class StoredDataTest : public TempRootTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Imports the file under this name; returns its storage-relative path.
  std::string Store(const recgen::NewerFile& model, const std::string& name);
  // A batch row of a recording without any file row: a damaged index, which no import leaves.
  void AddBatchWithoutFiles(const vt::Guid& recording);
  // Runs SQL on the storage's own connection.
  void Sql(const std::string& sql);
  int64_t QueryInt(const std::string& sql);
  std::string Status();

  std::string folder_;
  CVTDataStorage storage_;
};

}  // namespace store_test
