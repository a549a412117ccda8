// A filled catalogue for tests (see CatalogueFixture.h).
#include "CatalogueFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <variant>

namespace catalogue_test {

namespace {

// An unset value stays NULL (the ids the database assigns).
using Value = std::variant<std::monostate, int64_t, std::string>;

// Runs one statement with its values bound in order; the new row's id.
int64_t Insert(CRDBConnection& db, const std::string& sql, const std::vector<Value>& values) {
  auto st = db.CreateStatement();
  EXPECT_TRUE(st);
  if (!st) return 0;
  EXPECT_EQ(st->Prepare(sql), RDB_OK) << sql;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (const auto* n = std::get_if<int64_t>(&values[i])) {
      EXPECT_EQ(st->BindInt64(int(i), *n), RDB_OK);
    } else if (const auto* t = std::get_if<std::string>(&values[i])) {
      EXPECT_EQ(st->BindText(int(i), *t), RDB_OK);
    }
  }
  EXPECT_EQ(st->Execute(), RDB_OK) << sql;
  return db.GetLastInsertRowId();
}

std::string WriteGroupText(const std::vector<int>& groups) {
  if (groups.empty()) return "ALL";
  std::string text;
  for (std::size_t i = 0; i < groups.size(); ++i) text += (i ? ":" : "") + std::to_string(groups[i]);
  return text;
}

}  // namespace

std::string StoredPath(const Batch& batch, const File& file) {
  return "FILES/" + batch.serialNo + "/2024/1/" + file.name;
}

void AddBatch(CRDBConnection& db, const Batch& b) {
  ASSERT_FALSE(b.files.empty());
  Insert(db, "INSERT OR IGNORE INTO instrument VALUES(?,?,?,?);",
         {b.serialNo, b.recorderType, std::string("host"), b.instrumentName});

  // The batch row carries the span of all files and follows the file with the highest end data
  // number (its latest file, whose channels and groups the views show).
  int64_t start = b.files[0].start, stop = b.files[0].end, powerFailure = 0, timeChanges = 0;
  const File* latest = &b.files[0];
  for (const File& f : b.files) {
    start = std::min(start, f.start);
    stop = std::max(stop, f.end);
    powerFailure |= f.powerFailure;
    timeChanges += f.timeChanges;
    if (f.endDataNo > latest->endDataNo) latest = &f;
  }
  const int64_t batchId = Insert(
      db, "INSERT INTO continuous_data_info VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?);",
      {Value(), b.guid, b.serialNo, start, stop, latest->startUser, latest->stopUser, int64_t(b.dataKind),
       powerFailure, timeChanges, b.batchNo, b.lotNo, int64_t(b.loggingNo), int64_t(0), b.guid});
  for (std::size_t j = 0; j < b.texts.size(); ++j)
    Insert(db, "INSERT INTO batch_text VALUES(?,?,?,?,?);",
           {batchId, int64_t(j + 1), int64_t(0), b.texts[j].first, b.texts[j].second});

  for (const File& f : b.files) {
    const int64_t fileId =
        Insert(db, "INSERT INTO file VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?);",
               {b.serialNo, batchId, Value(), f.name, StoredPath(b, f), f.header, int64_t(f.powerFailure),
                int64_t(f.startFactor), int64_t(f.stopFactor), f.start, f.end, int64_t(0), f.startDataNo,
                f.endDataNo, f.startDataNo, int64_t(0), int64_t(f.timeChanges)});
    if (&f == latest)
      Insert(db, "UPDATE continuous_data_info SET latest_file_id = ? WHERE cont_data_id = ?;",
             {fileId, batchId});
    for (std::size_t i = 0; i < f.comments.size(); ++i)
      Insert(db, "INSERT INTO batch_comment VALUES(?,?,?,?,?);",
             {fileId, int64_t(i + 1), f.comments[i].time, f.comments[i].user, f.comments[i].text});
    for (const Group& g : f.groups) {
      for (int channel : g.channels)
        Insert(db, "INSERT INTO display_channel VALUES(?,?,?);",
               {fileId, int64_t(g.number), int64_t(channel)});
      if (!g.channels.empty())
        Insert(db, "INSERT INTO display_group VALUES(?,?,?);", {fileId, int64_t(g.number), g.name});
    }
    for (const Message& m : f.messages) {
      const int64_t messageId =
          Insert(db, "INSERT INTO message VALUES(?,?,?,?,?,?,?,?,?,?,?,?);",
                 {b.serialNo, batchId, fileId, Value(), m.time, f.startDataNo, m.time, int64_t(1), int64_t(1),
                  m.user, m.text, WriteGroupText(m.writeGroups)});
      if (m.writeGroups.empty())
        Insert(db, "INSERT INTO message_write_group VALUES(?,?,?);", {fileId, messageId, int64_t(-1)});
      for (int g : m.writeGroups)
        Insert(db, "INSERT INTO message_write_group VALUES(?,?,?);", {fileId, messageId, int64_t(g)});
    }
    for (const Channel& c : f.channels)
      Insert(db, "INSERT INTO tag VALUES(?,?,?,?,?,?,?);",
             {fileId, int64_t(c.number), c.name, int64_t(f.interval), c.tagNo, c.tagName, c.unit});
    for (const Alarm& a : f.alarms)
      Insert(db, "INSERT INTO alarm VALUES(?,?,?,?,?,?,?,?);",
             {b.serialNo, batchId, fileId, a.time, int64_t(a.channel), int64_t(a.level), int64_t(a.action),
              int64_t(a.type)});
  }
}

void AddDeleted(CRDBConnection& db, const Deleted& d) {
  Insert(db, "INSERT INTO trash VALUES(?,?,?,?,?,?,?,?,?,?);",
         {d.serialNo, d.path, d.name, d.deletionTime, std::string("ORG-") + d.name, int64_t(1), int64_t(2),
          int64_t(1), int64_t(0), int64_t(0)});
}

std::vector<Batch> PlantBatches() {
  const std::vector<Channel> boilerChannels = {{1, "CH01", "T-101", "Inlet", "degC"},
                                               {2, "CH02", "T-102", "Outlet", "degC"},
                                               {3, "CH03", "P-201", "Pressure", "bar"}};
  const std::vector<Group> boilerGroups = {{1, "Temps", {1, 2}}, {2, "Press", {3}}, {3, "Empty", {}}};

  Batch a;  // event data of two files; the second is the latest
  a.guid = "A0000000-0000-0000-0000-00000000000A";
  a.serialNo = "QR1001";
  a.recorderType = "QR";
  a.instrumentName = "Boiler";
  a.dataKind = 0;
  a.batchNo = "BATCH-A";
  a.lotNo = "007";
  a.loggingNo = 1;
  a.texts = {{"Recipe", "Steam 50% load"}, {"Operator", "Shift C:\\DATA\\night"}};
  File a1;
  a1.name = "A1.DAE";
  a1.start = 1000, a1.end = 2000, a1.startDataNo = 1, a1.endDataNo = 100;
  a1.header = "first";
  a1.startUser = "ann", a1.stopUser = "bob";
  a1.channels = boilerChannels;
  a1.groups = boilerGroups;
  a1.messages = {{1500, "ann", "valve 50% open", {}}};
  a1.alarms = {{1200, 1, 1, 1, 1}};
  a1.comments = {{1100, "ann", "first comment"}};
  File a2 = a1;
  a2.name = "A2.DAE";
  a2.start = 2100, a2.end = 3000, a2.startDataNo = 101, a2.endDataNo = 200;
  a2.stopFactor = 7, a2.timeChanges = 2;
  a2.header = "second";
  a2.startUser = "cat", a2.stopUser = "dan";
  a2.messages = {{2500, "dan", "valve 500 open", {1, 2}}, {2600, "dan", "saved to C:\\DATA\\run1", {2}}};
  a2.alarms = {{2200, 3, 2, 2, 7}, {2300, -1, 1, 1, 2}};
  a2.comments = {{2150, "dan", "second comment"}, {2160, "dan", "batch O'Hara checked"}};
  a.files = {a1, a2};

  Batch b;  // display data of a serial number and a file name with apostrophes
  b.guid = "B0000000-0000-0000-0000-00000000000B";
  b.serialNo = "LT'7";
  b.recorderType = "LT";
  b.instrumentName = "Line O'Neil";
  b.dataKind = 1;
  b.batchNo = "B";
  b.loggingNo = 2;
  File b1;
  b1.name = "O'Brien.DAE";
  b1.start = 5000, b1.end = 6000, b1.startDataNo = 1, b1.endDataNo = 50;
  b1.startFactor = 1, b1.stopFactor = 1, b1.powerFailure = 1;
  b1.channels = {{1, "CH01", "F_1", "Flow_1", "l/h"}, {2, "CH02", "F%2", "C:DATA", "l/h"}};
  b1.groups = {{1, "Flow", {1, 2}}};
  b1.messages = {{5500, "eve", "C:DATA", {}}};
  b1.alarms = {{5100, 2, 1, 1, 8}};
  b.files = {b1};

  Batch c;  // one short file early in time
  c.guid = "C0000000-0000-0000-0000-00000000000C";
  c.serialNo = "PW-3";
  c.recorderType = "PW";
  c.instrumentName = "Press";
  c.dataKind = 0;
  c.loggingNo = 3;
  File c1;
  c1.name = "P1.DAD";
  c1.start = 100, c1.end = 900, c1.startDataNo = 1, c1.endDataNo = 10;
  c1.channels = {{1, "CH01", "X1", "Speed", "rpm"}};
  c1.groups = {{1, "Main", {1}}};
  c1.alarms = {{500, 1, 1, 1, 5}};
  c.files = {c1};
  return {a, b, c};
}

std::vector<Deleted> PlantDeleted() {
  return {{"NB-9", "TRASH/NB-9/2024/1/N1.DAE", "N1.DAE", 7000},
          {"PW-3", "TRASH/PW-3/2024/1/P0.DAD", "P0.DAD", 7100},
          {"LT'7", "TRASH/LT'7/2024/1/Old.DAE", "Old.DAE", 7200}};
}

void FillPlant(CRDBConnection& db) {
  ASSERT_EQ(db.BeginTransaction(), RDB_OK);
  for (const Batch& b : PlantBatches()) AddBatch(db, b);
  // An instrument whose every file lies in the deleted data.
  Insert(db, "INSERT INTO instrument VALUES(?,?,?,?);",
         {std::string("NB-9"), std::string("NB"), std::string("host"), std::string("Spare")});
  for (const Deleted& d : PlantDeleted()) AddDeleted(db, d);
  ASSERT_EQ(db.Commit(), RDB_OK);
}

void PlantTest::SetUp() {
  TempRootTest::SetUp();
  folder_ = Path("6C1E2D3F-0000-4000-8000-00000000CA7A");
  ASSERT_EQ(storage_.Create(folder_, "Plant"), STORE_OK);
  ASSERT_EQ(storage_.Open(), STORE_OK);
  FillPlant(*storage_.GetConnection());
  graphs_.SetDataStorage(&storage_);
  ASSERT_EQ(graphs_.Open(), 0);
  ASSERT_TRUE(conditions_.OpenInFolder(folder_));
  sources_ = {&storage_, &graphs_, &conditions_};
}

void PlantTest::TearDown() {
  graphs_.Close();
  conditions_.Close();
  storage_.Close();
  TempRootTest::TearDown();
}

std::unique_ptr<CRDBConnection> PlantTest::IndexConnection() {
  auto db = NewRDBConnection(kDbmsSQLite);
  EXPECT_EQ(db->Open(storage_.GetIndexPath()), RDB_OK);
  return db;
}

}  // namespace catalogue_test
