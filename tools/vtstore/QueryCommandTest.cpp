// `vtstore query`: its arguments, and the lines it prints for every list kind of a filled storage.
#include <gtest/gtest.h>

#include <sstream>

#include "CatalogueFixture.h"
#include "tools/vtstore/QueryCommand.h"

namespace {

using vtstore_cli::QueryOptions;

TEST(VtstoreQueryArguments, ReadsEveryOptionAndRefusesTheRest) {
  QueryOptions o;
  std::string error;
  ASSERT_TRUE(vtstore_cli::ParseQueryArguments({"Plant", "alarms", "--serial", "LT'7", "--from", "-5", "--to",
                                                "900", "--keyword", "C:\\DATA", "--sort", "-18"},
                                               o, error))
      << error;
  EXPECT_EQ(o.storage, "Plant");
  EXPECT_EQ(o.kind, 3);
  EXPECT_EQ(o.serial, "LT'7");
  EXPECT_EQ(o.from, -5);
  EXPECT_EQ(o.to, 900);
  EXPECT_EQ(o.keyword, "C:\\DATA");
  EXPECT_EQ(o.sort, 18);
  EXPECT_EQ(o.direction, 2);
  ASSERT_TRUE(vtstore_cli::ParseQueryArguments({"Plant", "7", "--sort", "4", "--target", "13"}, o, error));
  EXPECT_EQ(o.kind, 7);
  EXPECT_EQ(std::make_pair(o.sort, o.direction), std::make_pair(4, 1));
  EXPECT_EQ(o.target, 13);

  const std::vector<std::vector<std::string>> refused = {
      {},
      {"Plant"},
      {"Plant", "11"},
      {"Plant", "tag"},
      {"Plant", "tags", "--from", "1"},
      {"Plant", "tags", "--from", "x", "--to", "2"},
      {"Plant", "tags", "--sort"},
      {"Plant", "tags", "--sort", "0"},
      {"Plant", "tags", "--colour", "red"},
  };
  for (const auto& args : refused) {
    QueryOptions r;
    EXPECT_FALSE(vtstore_cli::ParseQueryArguments(args, r, error)) << args.size();
    EXPECT_FALSE(error.empty());
  }
}

class VtstoreQueryTest : public catalogue_test::PlantTest {
 protected:
  // The lines printed, or "exit N" and the message when the command fails.
  std::string Query(std::vector<std::string> args) {
    args.insert(args.begin(), folder_);
    QueryOptions o;
    std::string error;
    if (!vtstore_cli::ParseQueryArguments(args, o, error)) return "usage: " + error;
    std::ostringstream out, err;
    int rc = vtstore_cli::QueryStorageFolder(folder_, o, out, err);
    return rc == 0 ? out.str() : "exit " + std::to_string(rc);
  }
};

TEST_F(VtstoreQueryTest, PrintsOneLinePerRow) {
  using catalogue_test::Ticks;
  auto t = [](int64_t plantSeconds) { return std::to_string(Ticks(plantSeconds)); };
  // The deleted files' deletion times are the clock's at the fill; the index has them.
  auto deleted = [&](const std::string& name) {
    return std::to_string(IndexInt("SELECT del_time FROM trash WHERE file_name = ?;", name));
  };

  auto starts = [](const std::string& text, const std::string& prefix) {
    return text.substr(0, prefix.size()) == prefix ? prefix : text;
  };
  const std::string guidA = "A0000000-0000-0000-0000-00000000000A";
  const std::string boiler = t(1000) + "\t" + t(3000) + "\t10000\t0\t0\tQR1001_QR4100\tQR4100\tBATCH-A 007\t";
  EXPECT_EQ(Query({"instruments", "--sort", "-32"}), "exit 1");  // "name" is no column of instruments
  EXPECT_EQ(Query({"1", "--serial", "LT'7"}), "LT'7\tLT4100\t\tLT'7_LT4100\n");
  EXPECT_EQ(Query({"tags", "--serial", "QR1001", "--sort", "-3"}),
            "Pressure\tP-201\tCH003\t" + boiler + guidA + "\tQR1001\t3\n" + "Outlet\tT-102\tCH002\t" +
                boiler + guidA + "\tQR1001\t2\n" + "Inlet\tT-101\tCH001\t" + boiler + guidA +
                "\tQR1001\t1\n");
  const std::string alarm = "2\t7\t2\t" + t(2200) + "\tPressure\t";
  EXPECT_EQ(starts(Query({"alarms", "--from", t(2200), "--to", t(2250)}), alarm), alarm);
  const std::string group = "Flow\t" + t(5000) + "\t" + t(6000) + "\t1\t1\tLT'7_LT4100\t";
  EXPECT_EQ(starts(Query({"groups", "--keyword", "Flo"}), group), group);
  const std::string message = "saved to C:\\DATA\\run1\tdan\t" + t(2600) + "\t";
  EXPECT_EQ(starts(Query({"messages", "--keyword", "C:\\DATA"}), message), message);
  const std::string file = "O'Brien.DAE\t" + t(5000) + "\t" + t(6000) + "\t1\t1\tLT'7_LT4100\t";
  EXPECT_EQ(starts(Query({"files", "--keyword", "O'Brien"}), file), file);
  const std::string batch = t(1000) + "\t" + t(3000) + "\t0\t0\tQR1001_QR4100\tQR4100\tBATCH";
  EXPECT_EQ(starts(Query({"batches", "--target", "13", "--keyword", "O'Hara"}), batch), batch);
  EXPECT_EQ(Query({"batches", "--target", "13", "--keyword", "nobody wrote this"}), "exit 1");
  EXPECT_EQ(Query({"trash", "--sort", "29"}), "TRASH/NB-9/2024/1/N1.DEV\tN1.DEV\t" + deleted("N1.DEV") +
                                                  "\nTRASH/PW-3/2024/1/P0.DAD\tP0.DAD\t" + deleted("P0.DAD") +
                                                  "\nTRASH/LT'7/2024/1/Old.DAE\tOld.DAE\t" +
                                                  deleted("Old.DAE") + "\n");
  EXPECT_EQ(Query({"trash", "--from", "1", "--to", "2"}), "exit 1");  // no times on deleted data
  EXPECT_EQ(Query({"graphs"}), "");
  EXPECT_EQ(Query({"conditions"}), "");
  ASSERT_TRUE(conditions_.Insert(0, "kept", 2, "", 0, 0, 0, 0, 0, "", 0));
  EXPECT_EQ(Query({"conditions"}).substr(0, 5), "kept\t");
}

}  // namespace
