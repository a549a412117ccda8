// The import's file operations: the copy placed by a rename that never replaces, what it leaves
// on failure, and the lock test.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/base/FileSystem.h"
#include "platform/base/FileTransfer.h"
#include "testing/TempFolder.h"

namespace {

using vt_test::TempFolder;

TEST(FileTransfer, CopyIntoPlaceWritesAReadOnlyCopyAndLeavesNoTemporaryFile) {
  TempFolder dir;
  const std::string source = dir.Write("A.DAE", std::string(300000, 'x') + "end");
  const std::string temp = dir / ".A.copy";
  const std::string target = dir / "B.DAE";
  vt_test::WriteFileBytes(temp, "stale temporary file of a killed copy");
  bool sawTemp = false;
  ASSERT_EQ(
      vt::CopyIntoPlace(source, temp, target, true,
                        [&] { sawTemp = vt_test::ReadFileBytes(temp) == vt_test::ReadFileBytes(source); }),
      vt::CopyOutcome::Ok);
  EXPECT_TRUE(sawTemp);  // complete before it takes the final name
  EXPECT_EQ(vt_test::ReadFileBytes(target), vt_test::ReadFileBytes(source));
  EXPECT_TRUE(vt::IsReadOnly(target));
  EXPECT_FALSE(vt::PathExists(temp));

  // A taken name is never replaced, also when it appears while the copy is written.
  EXPECT_EQ(vt::CopyIntoPlace(source, temp, target, true), vt::CopyOutcome::TargetExists);
  const std::string late = dir / "C.DAE";
  EXPECT_EQ(vt::CopyIntoPlace(source, temp, late, false, [&] { vt_test::WriteFileBytes(late, "first"); }),
            vt::CopyOutcome::TargetExists);
  EXPECT_EQ(vt_test::ReadFileBytes(late), "first");
  EXPECT_FALSE(vt::PathExists(temp));
  // A source that cannot be read, or a folder.
  EXPECT_EQ(vt::CopyIntoPlace(dir / "missing", temp, dir / "D.DAE", true), vt::CopyOutcome::Failed);
  EXPECT_EQ(vt::CopyIntoPlace(dir.path(), temp, dir / "D.DAE", true), vt::CopyOutcome::Failed);
  EXPECT_FALSE(vt::PathExists(dir / "D.DAE"));
  EXPECT_FALSE(vt::PathExists(temp));
}

TEST(FileTransfer, RenameNoReplaceRefusesATakenName) {
  TempFolder dir;
  const std::string a = dir.Write("a", "A");
  const std::string b = dir.Write("b", "B");
  EXPECT_FALSE(vt::RenameNoReplace(a, b));
  EXPECT_EQ(errno, EEXIST);
  EXPECT_EQ(vt_test::ReadFileBytes(b), "B");
  EXPECT_TRUE(vt::RenameNoReplace(a, dir / "c"));
  EXPECT_FALSE(vt::PathExists(a));
}

TEST(FileTransfer, TheLockTestSeesFlockAndRecordLocksOfOtherDescriptions) {
  TempFolder dir;
  const std::string f = dir.Write("a.DAE", "data");
  EXPECT_EQ(vt::TestFileLocks(f), vt::LockTest::Free);
  EXPECT_EQ(vt::TestFileLocks(dir / "missing"), vt::LockTest::Failed);
  // Another open file description holds each kind of lock in turn (record locks of the
  // open-description kind conflict within one process too).
  int fd = ::open(f.c_str(), O_RDWR);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::flock(fd, LOCK_SH), 0);
  EXPECT_EQ(vt::TestFileLocks(f), vt::LockTest::Locked);
  ::flock(fd, LOCK_UN);
  struct flock fl {};
  fl.l_type = F_RDLCK;
  fl.l_whence = SEEK_SET;
  ASSERT_EQ(::fcntl(fd, F_OFD_SETLK, &fl), 0);
  EXPECT_EQ(vt::TestFileLocks(f), vt::LockTest::Locked);
  fl.l_type = F_UNLCK;
  ::fcntl(fd, F_OFD_SETLK, &fl);
  EXPECT_EQ(vt::TestFileLocks(f), vt::LockTest::Free);
  // Merely open is not seen: POSIX has no sharing modes.
  EXPECT_EQ(vt::TestFileLocks(f), vt::LockTest::Free);
  ::close(fd);
}

}  // namespace
