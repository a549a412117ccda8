// A filled catalogue for the tests of the catalogue queries and lookups: a small plant described
// here (instruments, batches of event and display data, display groups, tags, messages with their
// write groups, alarms, batch texts and comments), written as recorder files by the generator,
// put in by the storage's own import, and deleted data moved to the trash by the storage itself.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/CatalogueQueries.h"
#include "store/RDBConnection.h"
#include "store/SearchConditionStore.h"
#include "store/VTDataStorage.h"
#include "store/VTGraphManager.h"
#include "testing/ScopedEnvironment.h"
#include "testing/TempFolder.h"

namespace catalogue_test {

// Plant times are seconds after 2024-01-01 00:00:00 UTC; the index holds them as ticks.
inline constexpr int64_t kPlantBaseSeconds = 1704067200;
// Every plant file records at this interval.
inline constexpr int kPlantIntervalMs = 10000;
int64_t Ticks(int64_t plantSeconds);
// The plant time of a stored time (whole seconds).
int64_t PlantSeconds(int64_t ticks);

struct Channel {
  int number = 0;  // the reader names it "CH" and three digits
  std::string tagNo, tagName, unit;
};

struct Group {
  int number = 0;
  std::string name;
  std::vector<int> channels;  // a group without channels gets no row
};

struct Message {
  int64_t time = 0;  // falls on a record: its data number is the record's
  std::string user, text;
  std::vector<int> writeGroups;  // empty: written to all groups
};

struct Alarm {
  int64_t time = 0;
  int channel = -1;  // -1: not bound to a channel
  int level = 1, action = 1, type = 1;
};

struct Comment {
  int64_t time = 0;
  std::string user, text;
};

struct File {
  std::string name;  // the stored name; its path is FILES/<serial>/2024/1/<name>
  // Records every interval from start to end; none after gapFrom and before gapTo when a gap
  // is given (a time change of the recorder).
  int64_t start = 0, end = 0, gapFrom = 0, gapTo = 0;
  int64_t startDataNo = 1;
  int startFactor = 2, stopFactor = 2;  // 3 (black-out) at either end is a power failure
  std::string header;
  std::string startUser, stopUser;
  std::vector<Channel> channels;
  std::vector<Group> groups;
  std::vector<Message> messages;
  std::vector<Alarm> alarms;
  std::vector<Comment> comments;  // three at most
  // An older-format file of the generator's own channels and values instead: only the name,
  // start, end and start data number count.
  bool olderFormat = false;
  int RecordCount() const;
  int64_t EndDataNo() const { return startDataNo + RecordCount() - 1; }
};

struct Batch {
  std::string guid;  // the recording's GUID, which the first batch of a recording takes
  std::string serialNo;
  // The model code of the header, which the reader names as the recorder type (33 "QR4100",
  // 34 "QR4200", 49 "LT4100", 65 "QR436"); the instrument name is the serial number, "_" and it.
  int modelCode = 33;
  int dataKind = 0;            // 0 event, 1 display
  std::string batchNo, lotNo;  // the lot's digits are its length
  int loggingNo = 0;
  std::vector<std::pair<std::string, std::string>> texts;  // title, text; eight at most
  std::vector<File> files;
};

// The stored path of a file of a batch.
std::string StoredPath(const Batch& batch, const File& file);

// Writes the batch's files with the generator into the folder; their paths in file order.
std::vector<std::string> WriteBatchFiles(const std::string& folder, const Batch& batch);
// Writes the batch's files with the generator into the folder and imports them in order.
void ImportBatch(CVTDataStorage& storage, const std::string& sourceFolder, const Batch& batch);

// The standard plant: three instruments of several kinds with batches of event and display
// data, and deleted data of a fourth instrument and of two others (see the .cpp for what each
// holds).
std::vector<Batch> PlantBatches();
// Batches whose one file is moved to the trash after the import, in this order.
std::vector<Batch> PlantDeleted();

// A test with an open storage holding the plant, its saved-graph store and its search-condition
// store, and the sources the catalogue reads them through.
class PlantTest : public vt_test::TempRootTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // A connection of its own on the storage's index.
  std::unique_ptr<CRDBConnection> IndexConnection();
  // The first column of the first row of a query with one text bound (0 without a row).
  int64_t IndexInt(const std::string& sql, const std::string& text);

  // The trash rows' deletion times are the clock's: between these two.
  int64_t deletedAfter_ = 0, deletedBefore_ = 0;
  std::string folder_;
  // Stored paths hold the end time's year and month as a UTC date: in a zone west of UTC the
  // plant's first hours of 2024 are still 2023, which a local date would show.
  vt_test::ScopedTimeZone zone_{"America/New_York"};
  CVTDataStorage storage_;
  CVTGraphManager graphs_;
  CSearchConditionStore conditions_;
  vt::CatalogueSources sources_;
};

}  // namespace catalogue_test
