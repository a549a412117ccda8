// A filled catalogue for the tests of the catalogue queries and lookups: the index rows that the
// import of recorder files writes (instrument, batch, file, batch texts and comments, display
// groups and channels, messages with their write groups, tags, alarms), and deleted data, put in
// with SQL from a small description. This is the one place that writes such rows; it can be
// replaced by importing generated files.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/CatalogueQueries.h"
#include "store/RDBConnection.h"
#include "store/SearchConditionStore.h"
#include "store/VTDataStorage.h"
#include "store/VTGraphManager.h"
#include "testing/TempFolder.h"

namespace catalogue_test {

struct Channel {
  int number = 0;
  std::string name, tagNo, tagName, unit;
};

struct Group {
  int number = 0;
  std::string name;
  std::vector<int> channels;  // a group without channels gets no row
};

struct Message {
  int64_t time = 0;
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
  std::string name;  // the stored name; its path is FILES/<serial>/<year>/<month>/<name>
  int64_t start = 0, end = 0;
  int64_t startDataNo = 0, endDataNo = 0;
  int startFactor = 2, stopFactor = 2;
  int powerFailure = 0, timeChanges = 0;
  std::string header;
  int interval = 1000;
  std::string startUser, stopUser;
  std::vector<Channel> channels;
  std::vector<Group> groups;
  std::vector<Message> messages;
  std::vector<Alarm> alarms;
  std::vector<Comment> comments;
};

struct Batch {
  std::string guid;
  std::string serialNo, recorderType, instrumentName;
  int dataKind = 0;
  std::string batchNo, lotNo;
  int loggingNo = 0;
  std::vector<std::pair<std::string, std::string>> texts;  // title, text
  std::vector<File> files;
};

struct Deleted {
  std::string serialNo, path, name;
  int64_t deletionTime = 0;
};

// The stored path of a file of a batch.
std::string StoredPath(const Batch& batch, const File& file);

// Writes the rows of a batch and its files as the import does; ids are assigned by the database.
void AddBatch(CRDBConnection& db, const Batch& batch);
void AddDeleted(CRDBConnection& db, const Deleted& deleted);

// The standard plant: four instruments of several kinds, batches of event and display data, and
// deleted data (see the .cpp for what each holds). Times are small tick counts.
std::vector<Batch> PlantBatches();
std::vector<Deleted> PlantDeleted();
void FillPlant(CRDBConnection& db);

// A test with an open storage holding the plant, its saved-graph store and its search-condition
// store, and the sources the catalogue reads them through.
class PlantTest : public vt_test::TempRootTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // A connection of its own on the storage's index.
  std::unique_ptr<CRDBConnection> IndexConnection();

  std::string folder_;
  CVTDataStorage storage_;
  CVTGraphManager graphs_;
  CSearchConditionStore conditions_;
  vt::CatalogueSources sources_;
};

}  // namespace catalogue_test
