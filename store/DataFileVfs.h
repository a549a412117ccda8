// The data-file header of every database of the system.
//
// Our databases carry "_MRVN_DATA_FILE\0" where the engine writes and expects its standard
// 16-byte header "SQLite format 3\0", so that a plain engine does not take them for its own and
// ours does not take a plain engine's file. A VFS over the system library's default (unix) VFS
// exchanges the two strings at offset 0 of main database files (attached ones too) on every read
// and write; a file that carries the standard header is shown to the engine with a damaged one,
// so the open fails as "not a database", and what the engine writes into it (the rollback of
// its hot journal) never gives it our header. Journals and temporary files pass through untouched
// (a journal holds page 1 as the engine saw it, and rolling it back writes it through the main
// file again). The io-methods are version 2: no memory-mapped reads can bypass the exchange.
#pragma once
#include <cstdint>
#include <string>

namespace vtstore {

// The header our database files carry on disk, and the engine's own.
extern const char kDataFileHeader[16];
extern const char kEngineFileHeader[16];

// Registers the VFS as the engine's default, once per process. Every opening path of the
// wrapper calls it before it opens a database; calling it again does nothing. False only when
// the engine has no default VFS to wrap or refuses the registration.
bool InstallDataFileVfs();

// Whether a connection of this process has the database file open (as its main or an attached
// database). Raw copies of a database file must wait until it is not: on this platform closing
// any descriptor of a file drops the locks the engine holds on it.
bool IsDatabaseFileOpen(const std::string& path);

// Process-wide test control: from the nth write of a database file from now on (1: the next),
// every write fails as on a full disk, until FailWritesFrom(0) turns it off.
struct DataFileVfsTestHook {
  static void FailWritesFrom(int64_t n);
};

}  // namespace vtstore
