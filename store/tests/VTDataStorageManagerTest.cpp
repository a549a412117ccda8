// The storage manager: the list "dslist.db" and its rebuild from the storage folders, creating,
// listing with status, attaching, renaming and deleting storages.
#include <gtest/gtest.h>

#include <functional>

#include "StoreTestSupport.h"
#include "platform/base/FileSystem.h"
#include "store/FolderHelpers.h"
#include "store/RDBSQLiteConnection.h"
#include "store/VTDataStorageManager.h"

namespace {

class VTDataStorageManagerTest : public store_test::TempRootTest {
 protected:
  void SetUp() override {
    TempRootTest::SetUp();
    dataRoot_ = Path("Morvane/Vantrel/DATA");
  }
  std::string FolderOf(CVTDataStorageManager& manager, const std::string& name) {
    std::string folder;
    EXPECT_EQ(manager.GetStorageFolder(name, folder), STORE_OK) << name;
    return folder;
  }
  // A storage folder made directly (not listed) with the given backup status.
  void MakeStorageFolder(const std::string& dir, const std::string& name, const std::string& backupStatus) {
    CVTDataStorage storage;
    ASSERT_EQ(storage.Create(dataRoot_ + "/" + dir, name), STORE_OK);
    ASSERT_EQ(storage.Open(), STORE_OK);
    ASSERT_EQ(storage.SetBackupStatus(backupStatus), STORE_OK);
  }
  static std::string Listing(CVTDataStorageManager& manager) {
    SDataAreaInfo records[8];
    int count = 0;
    EXPECT_EQ(manager.ListWithStatus(records, 8, count), STORE_OK);
    std::string out;
    for (int i = 0; i < count; ++i) {
      out +=
          records[i].name + ":" + std::to_string(records[i].status) + (records[i].attached ? "*" : "") + ";";
    }
    return out;
  }
  static std::string IndexName(const std::string& folder) {
    CVTDataStorage storage;
    std::string name;
    if (storage.OpenAt(folder) == STORE_OK) storage.GetDatabaseName(name);
    return name;
  }
  std::string dataRoot_;
};

TEST_F(VTDataStorageManagerTest, OpenMakesTheDataRootAndAnEmptyList) {
  CVTDataStorageManager manager;
  EXPECT_EQ(manager.GetCount(), STORE_NOT_OPEN);
  EXPECT_EQ(manager.Open("relative/DATA"), STORE_FAILED);
  ASSERT_EQ(manager.Open(dataRoot_), STORE_OK);
  EXPECT_EQ(manager.Open(dataRoot_), STORE_ALREADY_OPEN);
  EXPECT_TRUE(vt::FolderExists(dataRoot_));
  EXPECT_EQ(store_test::ReadHead(dataRoot_ + "/dslist.db", 15), "_MRVN_DATA_FILE");
  EXPECT_EQ(manager.GetCount(), 0);
  std::string name;
  EXPECT_EQ(manager.GetAttachedName(name), STORE_FAILED);
  EXPECT_EQ(manager.OpenAttachedStorage(), nullptr);
  EXPECT_EQ(store_test::Shell(store_test::StandardCopy(dataRoot_ + "/dslist.db"),
                              "SELECT sql FROM sqlite_master WHERE type = 'table';"),
            "CREATE TABLE datastorage_list (datastorage_name TEXT PRIMARY KEY, datastorage_dir "
            "TEXT UNIQUE)\nCREATE TABLE attach (datastorage_name TEXT)\n");
}

TEST_F(VTDataStorageManagerTest, AManagerThatIsNotOpenRefusesEverythingAndTouchesNothing) {
  CVTDataStorageManager manager;
  const std::string list = dataRoot_ + "/dslist.db";
  std::string text;
  SDataAreaInfo records[2];
  int count = -1;
  const struct {
    const char* what;
    std::function<int()> call;
  } cases[] = {
      {"RebuildList", [&] { return manager.RebuildList(list); }},
      {"GetCount", [&] { return manager.GetCount(); }},
      {"GetStorageFolder", [&] { return manager.GetStorageFolder("A", text); }},
      {"ListWithStatus", [&] { return manager.ListWithStatus(records, 2, count); }},
      {"GetAttachedName", [&] { return manager.GetAttachedName(text); }},
      {"Attach", [&] { return manager.Attach("A"); }},
      {"CreateStorage", [&] { return manager.CreateStorage("A"); }},
      {"DeleteStorage", [&] { return manager.DeleteStorage("A"); }},
      {"RenameStorage", [&] { return manager.RenameStorage("A", "B"); }},
      {"GetIndexFileSize", [&] { return int(manager.GetIndexFileSize("A")); }},
      {"GetFileCount", [&] { return manager.GetFileCount("A"); }},
  };
  for (const auto& c : cases) EXPECT_EQ(c.call(), STORE_NOT_OPEN) << c.what;
  manager.Detach();
  EXPECT_EQ(manager.OpenAttachedStorage(), nullptr);
  EXPECT_EQ(count, -1);
  EXPECT_FALSE(vt::PathExists(dataRoot_));
}

TEST_F(VTDataStorageManagerTest, CreateListAttachAndDeleteStorages) {
  CVTDataStorageManager manager;
  ASSERT_EQ(manager.Open(dataRoot_), STORE_OK);
  ASSERT_EQ(manager.CreateStorage("First"), STORE_OK);
  ASSERT_EQ(manager.CreateStorage("Second"), STORE_OK);
  EXPECT_EQ(manager.CreateStorage("First"), STORE_EXISTS);
  EXPECT_EQ(manager.GetCount(), 2);

  // Each storage is a folder named by an upper-case GUID, not attached by its creation.
  std::string first = FolderOf(manager, "First");
  std::string dir;
  GetLastPathComponent(first, &dir);
  EXPECT_EQ(dir.size(), 36u);
  EXPECT_EQ(dir.find_first_of("abcdef"), std::string::npos);
  EXPECT_EQ(IndexName(first), "First");
  EXPECT_EQ(Listing(manager), "First:0;Second:0;");

  EXPECT_EQ(manager.Attach("Nobody"), STORE_NOT_FOUND);
  ASSERT_EQ(manager.Attach("First"), STORE_OK);
  ASSERT_EQ(manager.Attach("Second"), STORE_OK);
  std::string attached;
  ASSERT_EQ(manager.GetAttachedName(attached), STORE_OK);
  EXPECT_EQ(attached, "Second");
  EXPECT_EQ(Listing(manager), "First:0;Second:0*;");
  auto current = manager.OpenAttachedStorage();
  ASSERT_NE(current, nullptr);
  EXPECT_EQ(current->GetFolder(), FolderOf(manager, "Second"));
  EXPECT_FALSE(current->IsOpen());

  EXPECT_EQ(manager.DeleteStorage("Second"), STORE_ATTACHED);
  EXPECT_TRUE(vt::FolderExists(FolderOf(manager, "Second")));
  EXPECT_EQ(manager.DeleteStorage("Nobody"), STORE_NOT_FOUND);
  ASSERT_TRUE(vt::WriteFileAtomic(first + "/FILES/stored.DAE", "x"));
  ASSERT_TRUE(vt::SetReadOnly(first + "/FILES/stored.DAE", true));
  EXPECT_EQ(manager.GetFileCount("First"), 1);
  EXPECT_GT(manager.GetIndexFileSize("First"), 0u);
  EXPECT_EQ(manager.GetFileCount("Nobody"), 0);
  EXPECT_EQ(manager.DeleteStorage("First"), STORE_OK);
  EXPECT_FALSE(vt::PathExists(first));
  EXPECT_EQ(Listing(manager), "Second:0*;");
}

TEST_F(VTDataStorageManagerTest, ListingShowsEachStoragesStateAndStopsAtCapacity) {
  CVTDataStorageManager manager;
  ASSERT_EQ(manager.Open(dataRoot_), STORE_OK);
  for (const char* name : {"A", "B", "C", "D", "E"}) ASSERT_EQ(manager.CreateStorage(name), STORE_OK);
  {
    CVTDataStorage storage;
    ASSERT_EQ(storage.OpenAt(FolderOf(manager, "B")), STORE_OK);
    ASSERT_EQ(storage.SetStatus("ABNORMALFILES"), STORE_OK);
    ASSERT_EQ(storage.OpenAt(FolderOf(manager, "B")), STORE_STORAGE_OPEN);
    storage.Close();
    ASSERT_EQ(storage.OpenAt(FolderOf(manager, "C")), STORE_OK);
    ASSERT_EQ(storage.SetStatus("SOMETHING"), STORE_OK);
    storage.Close();
    ASSERT_EQ(storage.OpenAt(FolderOf(manager, "E")), STORE_OK);
    ASSERT_EQ(storage.SetStatus("ABORTED"), STORE_OK);
  }
  ASSERT_TRUE(DeleteFolderTree(FolderOf(manager, "D")));
  ASSERT_EQ(manager.Attach("A"), STORE_OK);
  EXPECT_EQ(Listing(manager), "A:0*;B:3;C:4;D:1;E:2;");

  // Attaching a storage whose folder is gone fails and keeps the attachment.
  EXPECT_EQ(manager.Attach("D"), STORE_STORAGE_UNAVAILABLE);
  std::string attached;
  manager.GetAttachedName(attached);
  EXPECT_EQ(attached, "A");

  SDataAreaInfo records[2];
  int count = -1;
  EXPECT_EQ(manager.ListWithStatus(records, 2, count), STORE_OK);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(records[1].name, "B");
  EXPECT_EQ(manager.ListWithStatus(nullptr, 2, count), STORE_FAILED);
}

TEST_F(VTDataStorageManagerTest, AMissingOrUnreadableListIsRebuiltFromTheStorageFolders) {
  // Folders in name order: two storages in use, one backup copy, one foreign folder.
  MakeStorageFolder("1111AAAA-0000-0000-0000-000000000000", "Plant", "ACTIVE");
  MakeStorageFolder("2222BBBB-0000-0000-0000-000000000000", "Backup of Plant", "VALID");
  MakeStorageFolder("3333CCCC-0000-0000-0000-000000000000", "Lab", "ACTIVE");
  ASSERT_TRUE(CreateFolderTree(dataRoot_ + "/4444DDDD-not-a-storage"));
  const std::string list = dataRoot_ + "/dslist.db";

  const struct {
    const char* what;
    std::function<void()> breakList;
  } cases[] = {
      {"missing", [&] { vt::DeleteFile(list); }},
      {"text", [&] { vt::WriteFileAtomic(list, "not a database at all, just some text here"); }},
      {"empty, its creator cut off", [&] { vt::WriteFileAtomic(list, ""); }},
      {"standard header",
       [&] {
         vt::DeleteFile(list);
         store_test::Shell(list, "CREATE TABLE datastorage_list (a, b);");
       }},
      {"no list table",
       [&] {
         vt::DeleteFile(list);
         CRDBSQLiteConnection db;
         db.Create(list);
         db.Execute("CREATE TABLE other (x);");
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    c.breakList();
    CVTDataStorageManager manager;
    ASSERT_EQ(manager.Open(dataRoot_), STORE_OK);
    EXPECT_EQ(Listing(manager), "Plant:0*;Lab:0;");
    EXPECT_EQ(FolderOf(manager, "Lab"), dataRoot_ + "/3333CCCC-0000-0000-0000-000000000000");
  }

  // A readable list is kept as it is: no rebuild, the attachment stays.
  {
    CVTDataStorageManager manager;
    ASSERT_EQ(manager.Open(dataRoot_), STORE_OK);
    ASSERT_EQ(manager.Attach("Lab"), STORE_OK);
  }
  CVTDataStorageManager manager;
  ASSERT_EQ(manager.Open(dataRoot_), STORE_OK);
  EXPECT_EQ(Listing(manager), "Plant:0;Lab:0*;");
}

TEST_F(VTDataStorageManagerTest, ARebuildListsOnlyCompleteStoragesAndOneFolderPerName) {
  const std::string fewFiles = "1111AAAA-0000-0000-0000-000000000000";
  const std::string moreFiles = "2222BBBB-0000-0000-0000-000000000000";
  const std::string lab = "3333CCCC-0000-0000-0000-000000000000";
  const std::string unfinished = std::string(kNewStoragePrefix) + "4444DDDD-0000-0000-0000-000000000000";
  const std::string emptyIndex = "5555EEEE-0000-0000-0000-000000000000";
  const std::string list = dataRoot_ + "/dslist.db";
  auto plant = [&](bool oldListKnown) {
    ASSERT_TRUE(vt::RemoveTree(dataRoot_));
    MakeStorageFolder(fewFiles, "Plant", "ACTIVE");
    MakeStorageFolder(moreFiles, "Plant", "ACTIVE");
    ASSERT_TRUE(vt::WriteFileAtomic(dataRoot_ + "/" + moreFiles + "/FILES/a.DAE", "a"));
    ASSERT_TRUE(vt::WriteFileAtomic(dataRoot_ + "/" + moreFiles + "/FILES/b.DAE", "b"));
    MakeStorageFolder(lab, "Lab", "ACTIVE");
    MakeStorageFolder(unfinished, "Ghost", "ACTIVE");
    ASSERT_TRUE(CreateFolderTree(dataRoot_ + "/" + emptyIndex + "/FILES"));
    ASSERT_TRUE(vt::WriteFileAtomic(dataRoot_ + "/" + emptyIndex + "/fileidx.db", ""));
    if (!oldListKnown) return;
    // A list that still names its storages but lacks its attach table.
    CRDBSQLiteConnection db;
    ASSERT_EQ(db.Create(list), RDB_OK);
    ASSERT_EQ(db.Execute("CREATE TABLE datastorage_list (datastorage_name TEXT PRIMARY KEY, "
                         "datastorage_dir TEXT UNIQUE);"
                         "INSERT INTO datastorage_list VALUES ('Plant', '" +
                         fewFiles + "');"),
              RDB_OK);
  };
  const struct {
    const char* what;
    bool oldListKnown;
    std::string plantFolder, otherFolder;
  } cases[] = {
      {"no old list: the folder with more stored files", false, moreFiles, fewFiles},
      {"the folder the old list named", true, fewFiles, moreFiles},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    plant(c.oldListKnown);
    testing::internal::CaptureStderr();
    CVTDataStorageManager manager;
    ASSERT_EQ(manager.Open(dataRoot_), STORE_OK);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(manager.GetCount(), 2);
    EXPECT_EQ(FolderOf(manager, "Plant"), dataRoot_ + "/" + c.plantFolder);
    EXPECT_EQ(FolderOf(manager, "Lab"), dataRoot_ + "/" + lab);
    EXPECT_NE(log.find(c.otherFolder), std::string::npos) << log;
    // An unfinished creation is removed; a folder whose index is empty stays, unlisted.
    EXPECT_FALSE(vt::PathExists(dataRoot_ + "/" + unfinished));
    EXPECT_TRUE(vt::FolderExists(dataRoot_ + "/" + emptyIndex));
    std::string attached;
    EXPECT_EQ(manager.GetAttachedName(attached), STORE_OK);
    EXPECT_EQ(attached, "Plant");
  }
}

TEST_F(VTDataStorageManagerTest, ACreationCutOffAfterItWasListedIsFinishedByTheNextOpen) {
  std::string guid;
  {
    CVTDataStorageManager manager;
    ASSERT_EQ(manager.Open(dataRoot_), STORE_OK);
    ASSERT_EQ(manager.CreateStorage("Done"), STORE_OK);
    // Undo the last step by hand: the listed storage is back under its temporary name.
    GetLastPathComponent(FolderOf(manager, "Done"), &guid);
    ASSERT_TRUE(vt::MoveFile(dataRoot_ + "/" + guid, dataRoot_ + "/" + kNewStoragePrefix + guid));
  }
  CVTDataStorageManager manager;
  ASSERT_EQ(manager.Open(dataRoot_), STORE_OK);
  EXPECT_EQ(IndexName(dataRoot_ + "/" + guid), "Done");
  EXPECT_FALSE(vt::PathExists(dataRoot_ + "/" + kNewStoragePrefix + guid));
}

TEST_F(VTDataStorageManagerTest, RenameKeepsTheIndexNameAndTheListNameTogether) {
  CVTDataStorageManager manager;
  ASSERT_EQ(manager.Open(dataRoot_), STORE_OK);
  ASSERT_EQ(manager.CreateStorage("Old"), STORE_OK);
  ASSERT_EQ(manager.CreateStorage("Taken"), STORE_OK);
  ASSERT_EQ(manager.Attach("Old"), STORE_OK);
  const std::string oldFolder = FolderOf(manager, "Old");

  // A name that is listed already changes nothing anywhere.
  EXPECT_EQ(manager.RenameStorage("Old", "Taken"), STORE_FAILED);
  EXPECT_EQ(IndexName(oldFolder), "Old");
  EXPECT_EQ(Listing(manager), "Old:0*;Taken:0;");
  EXPECT_EQ(manager.RenameStorage("Nobody", "Fresh"), STORE_FAILED);

  ASSERT_EQ(manager.RenameStorage("Old", "New"), STORE_OK);
  EXPECT_EQ(IndexName(oldFolder), "New");
  EXPECT_EQ(FolderOf(manager, "New"), oldFolder);
  std::string attached;
  ASSERT_EQ(manager.GetAttachedName(attached), STORE_OK);
  EXPECT_EQ(attached, "New");
  EXPECT_EQ(Listing(manager), "New:0*;Taken:0;");
  EXPECT_EQ(manager.RenameStorage("New", "New"), STORE_OK);
}

TEST_F(VTDataStorageManagerTest, ADamagedListRowNeverLeadsOutOfItsStorageFolder) {
  CVTDataStorageManager manager;
  ASSERT_EQ(manager.Open(dataRoot_), STORE_OK);
  ASSERT_EQ(manager.CreateStorage("Kept"), STORE_OK);
  {
    CRDBSQLiteConnection db;
    ASSERT_EQ(db.Open(dataRoot_ + "/dslist.db"), RDB_OK);
    ASSERT_EQ(db.Execute("INSERT INTO datastorage_list VALUES ('Empty', '');"
                         "INSERT INTO datastorage_list VALUES ('Up', '..');"
                         "INSERT INTO datastorage_list VALUES ('Deep', '../../Morvane');"),
              RDB_OK);
  }
  for (const char* name : {"Empty", "Up", "Deep"}) {
    SCOPED_TRACE(name);
    std::string folder;
    EXPECT_EQ(manager.GetStorageFolder(name, folder), STORE_FAILED);
    EXPECT_EQ(manager.DeleteStorage(name), STORE_FAILED);
    EXPECT_EQ(manager.Attach(name), STORE_FAILED);
  }
  EXPECT_TRUE(vt::FolderExists(FolderOf(manager, "Kept")));
  EXPECT_TRUE(vt::FileExists(dataRoot_ + "/dslist.db"));
}

}  // namespace
