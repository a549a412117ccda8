// Batches: which stored batch a new file of the same recording continues (the six rules and
// their boundaries), the GUID of a new batch, and how a joined batch's values follow its files.
#include <gtest/gtest.h>

#include <functional>

#include "ImportTestSupport.h"

namespace {

using store_test::ImportFixture;

class BatchContinuationTest : public ImportFixture {};

// The first file holds data numbers 101 to 110 (memory start 1, started and stopped
// automatically); the second is made from the same options and changed by its row.
struct JoinCase {
  const char* name;
  std::function<void(recgen::SizedOptions&)> first;
  std::function<void(recgen::SizedOptions&)> second;
  int secondKind;
  bool joins;
};

void Range(recgen::SizedOptions& o, int64_t start, int records) {
  o.startDataNo = start;
  o.records = records;
}

TEST_F(BatchContinuationTest, AFileJoinsTheBatchItContinuesAndNoOther) {
  auto none = [](recgen::SizedOptions&) {};
  const JoinCase cases[] = {
      {"follows", none, [](auto& o) { Range(o, 111, 10); }, 1, true},
      {"precedes", none, [](auto& o) { Range(o, 91, 10); }, 1, true},
      {"encloses", none, [](auto& o) { Range(o, 50, 100); }, 1, true},
      {"start touches the stored end", none, [](auto& o) { Range(o, 110, 10); }, 1, false},
      {"end touches the stored start", none, [](auto& o) { Range(o, 92, 10); }, 1, false},
      {"lies inside", none, [](auto& o) { Range(o, 103, 4); }, 1, false},
      {"started and stopped by hand", none,
       [](auto& o) {
         Range(o, 111, 10);
         o.startFactor = o.stopFactor = 1;
       },
       1, false},
      {"other serial", none,
       [](auto& o) {
         Range(o, 111, 10);
         o.serial = "OTHER";
       },
       1, false},
      {"other data kind", none, [](auto& o) { Range(o, 111, 10); }, 2, false},
      {"other memory start", none,
       [](auto& o) {
         Range(o, 111, 10);
         o.memStartDataNo = 2;
       },
       1, false},
      {"other channel count", none,
       [](auto& o) {
         Range(o, 111, 10);
         o.channels = 5;
       },
       1, false},
      {"before a first file started by hand", [](auto& o) { o.startFactor = 1; },
       [](auto& o) { Range(o, 91, 10); }, 1, false},
      {"after a first file started by hand", [](auto& o) { o.startFactor = 1; },
       [](auto& o) { Range(o, 111, 10); }, 1, true},
      {"before a first file started by trigger", [](auto& o) { o.startFactor = 4; },
       [](auto& o) { Range(o, 91, 10); }, 1, false},
      {"after a last file stopped by hand", [](auto& o) { o.stopFactor = 1; },
       [](auto& o) { Range(o, 111, 10); }, 1, false},
      {"before a last file stopped by hand", [](auto& o) { o.stopFactor = 1; },
       [](auto& o) { Range(o, 91, 10); }, 1, true},
      {"after a last file stopped by data count", [](auto& o) { o.stopFactor = 4; },
       [](auto& o) { Range(o, 111, 10); }, 1, false},
  };
  int n = 0;
  for (const JoinCase& c : cases) {
    SCOPED_TRACE(c.name);
    recgen::SizedOptions first;
    first.guid.data1 = uint32_t(0x1000 + n);
    Range(first, 101, 10);
    c.first(first);
    recgen::SizedOptions second = first;
    c.second(second);
    const std::string tag = std::to_string(n++);
    ASSERT_EQ(Import(Newer("F" + tag + ".DAE", first)), STORE_OK);
    ASSERT_EQ(Import(Newer("S" + tag + (c.secondKind == 2 ? ".DAD" : ".DAE"), second, c.secondKind)),
              STORE_OK);
    const std::string guid =
        vt::Guid{first.guid.data1, first.guid.data2, first.guid.data3, first.guid.data4}.ToText();
    const std::string where = " FROM continuous_data_info WHERE org_data_guid = '" + guid + "';";
    EXPECT_EQ(Query("SELECT COUNT(*)" + where), c.joins ? "1\n" : "2\n");
    // A new batch beside one of the same recording gets a GUID of its own.
    EXPECT_EQ(
        Query("SELECT COUNT(*)" + where.substr(0, where.size() - 1) + " AND cont_data_guid = org_data_guid;"),
        "1\n");
    EXPECT_EQ(Query("SELECT COUNT(DISTINCT cont_data_id) FROM file WHERE file_name IN ('F" + tag +
                    ".DAE', 'S" + tag + ".DAE', 'S" + tag + ".DAD');"),
              c.joins ? "1\n" : "2\n");
  }
}

TEST_F(BatchContinuationTest, AJoinedBatchWidensAndItsLatestFileHasTheHighestEndDataNumber) {
  auto model = [](int64_t start, int64_t seconds, const char* startUser, const char* stopUser,
                  int stopFactor) {
    recgen::SizedOptions o;
    o.records = 10;
    o.startDataNo = start;
    o.startSeconds = seconds;
    o.stopFactor = stopFactor;
    recgen::NewerFile m = recgen::SizedNewerFile(o);
    m.batch.startUser = startUser;
    m.batch.stopUser = stopUser;
    return m;
  };
  ASSERT_EQ(Import(Source("B.DAE", model(111, 1700000100, "u2", "v2", 2))), STORE_OK);
  const std::string start1 = Query("SELECT start_time FROM file;");
  ASSERT_EQ(Import(Source("A.DAE", model(101, 1700000000, "u1", "v1", 3))), STORE_OK);  // earlier, black-out
  ASSERT_EQ(Import(Source("C.DAE", model(121, 1700000200, "u3", "v3", 2))), STORE_OK);  // latest
  EXPECT_EQ(Query("SELECT COUNT(*) FROM continuous_data_info;"), "1\n");
  EXPECT_EQ(Query("SELECT b.start_time = (SELECT start_time FROM file WHERE file_name = 'A.DAE'), "
                  "b.stop_time = (SELECT end_time FROM file WHERE file_name = 'C.DAE'), "
                  "b.latest_file_id = (SELECT file_id FROM file WHERE file_name = 'C.DAE'), "
                  "b.start_username, b.stop_username, b.power_failure FROM continuous_data_info b;"),
            "1|1|1|u3|v3|1\n");
  EXPECT_NE(Query("SELECT start_time FROM continuous_data_info;"), start1);
}

}  // namespace
