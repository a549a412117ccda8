// Cancellable copies: a complete copy keeps the source's bytes and permission bits, a taken
// name is never replaced, and a copy cancelled part-way leaves no partial file behind.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "platform/base/FileDurability.h"
#include "platform/base/FileSystem.h"
#include "testing/TempFolder.h"

namespace {

using vt_test::TempFolder;

TEST(FileDurability, CopyKeepsBytesAndModeAndNeverReplaces) {
  TempFolder dir;
  const std::string source = dir.Write("A.DAE", std::string(200000, 'x') + "end");
  ASSERT_TRUE(vt::SetReadOnly(source, true));
  std::atomic<int32_t> cancel{0};
  const std::string target = dir / "B.DAE";
  ASSERT_EQ(vt::CopyFileCancellable(source, target, cancel), vt::CancellableCopyOutcome::Ok);
  EXPECT_EQ(vt_test::ReadFileBytes(target), vt_test::ReadFileBytes(source));
  EXPECT_TRUE(vt::IsReadOnly(target));
  EXPECT_TRUE(vt::FlushFileToDisk(target));
  EXPECT_TRUE(vt::IsSameFileObject(target, dir / "./B.DAE"));
  EXPECT_FALSE(vt::IsSameFileObject(target, source));

  EXPECT_EQ(vt::CopyFileCancellable(source, target, cancel), vt::CancellableCopyOutcome::TargetExists);
  EXPECT_EQ(vt::CopyFileCancellable(dir / "missing", dir / "C.DAE", cancel),
            vt::CancellableCopyOutcome::Failed);
  EXPECT_FALSE(vt::PathExists(dir / "C.DAE"));
  cancel = 1;
  EXPECT_EQ(vt::CopyFileCancellable(source, dir / "D.DAE", cancel), vt::CancellableCopyOutcome::Cancelled);
  EXPECT_FALSE(vt::PathExists(dir / "D.DAE"));
}

TEST(FileDurability, ACopyCancelledPartWayDeletesItsPartialTarget) {
  TempFolder dir;
  // A pipe as the source: the second chunk arrives only after the cancel was set.
  const std::string source = dir / "pipe";
  ASSERT_EQ(::mkfifo(source.c_str(), 0600), 0);
  const std::string target = dir / "copy";
  std::atomic<int32_t> cancel{0};
  std::thread writer([&] {
    int fd = ::open(source.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    const std::string chunk(4096, 'y');
    ASSERT_EQ(::write(fd, chunk.data(), chunk.size()), ssize_t(chunk.size()));
    uint64_t size = 0;
    while (!vt::GetFileSize(target, size) || size == 0) std::this_thread::yield();
    cancel = 1;
    ASSERT_EQ(::write(fd, chunk.data(), chunk.size()), ssize_t(chunk.size()));
    ::close(fd);
  });
  EXPECT_EQ(vt::CopyFileCancellable(source, target, cancel), vt::CancellableCopyOutcome::Cancelled);
  writer.join();
  EXPECT_FALSE(vt::PathExists(target));
}

}  // namespace
