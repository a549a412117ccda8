// The data-file header VFS (see DataFileVfs.h).
//
// Each file we open is a HeaderFile whose real file (the base VFS's own structure) follows it in
// the same allocation. Files other than main databases are opened by the base VFS directly in our
// memory, so they run on the base's own methods and cost nothing extra.
#include "store/DataFileVfs.h"

#include <atomic>

#include <sqlite3.h>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "platform/base/FaultCountdown.h"
#include "platform/base/FileDurability.h"

namespace vtstore {

const char kDataFileHeader[16] = {'_', 'M', 'R', 'V', 'N', '_', 'D', 'A',
                                  'T', 'A', '_', 'F', 'I', 'L', 'E', '\0'};
const char kEngineFileHeader[16] = {'S', 'Q', 'L', 'i', 't', 'e', ' ', 'f',
                                    'o', 'r', 'm', 'a', 't', ' ', '3', '\0'};

namespace {

constexpr int kHeaderSize = 16;
// What the engine is shown in place of a standard header on disk: not its magic, so it refuses.
const char kRefusedHeader[16] = {};

struct HeaderFile {
  sqlite3_file base;   // our methods
  sqlite3_file* real;  // the base VFS's file, right behind this structure
  const char* name;    // the engine's full path name, valid until the close
};

// The main database files open in this process, one entry per open file (raw copies of them
// must wait until they are closed: closing any descriptor of a file drops the engine's locks).
// Never destroyed: connections of static objects may close during the process's exit.
std::mutex& OpenMutex() {
  static auto* mutex = new std::mutex;
  return *mutex;
}
std::vector<std::string>& OpenNames() {
  static auto* names = new std::vector<std::string>;
  return *names;
}

sqlite3_vfs g_vfs;
sqlite3_io_methods g_methods;

sqlite3_vfs* BaseVfs() { return static_cast<sqlite3_vfs*>(g_vfs.pAppData); }
sqlite3_file* Real(sqlite3_file* f) { return reinterpret_cast<HeaderFile*>(f)->real; }

// The on-disk header -> what the engine sees.
const char* ShownHeader(const unsigned char* onDisk) {
  if (std::memcmp(onDisk, kDataFileHeader, kHeaderSize) == 0) return kEngineFileHeader;
  if (std::memcmp(onDisk, kEngineFileHeader, kHeaderSize) == 0) return kRefusedHeader;
  return nullptr;  // anything else passes unchanged (and is refused by the engine)
}

int HeaderClose(sqlite3_file* f) {
  if (const char* name = reinterpret_cast<HeaderFile*>(f)->name) {
    std::lock_guard<std::mutex> hold(OpenMutex());
    for (auto it = OpenNames().begin(); it != OpenNames().end(); ++it) {
      if (*it == name) {
        OpenNames().erase(it);
        break;
      }
    }
  }
  sqlite3_file* real = Real(f);
  int rc = real->pMethods ? real->pMethods->xClose(real) : SQLITE_OK;
  f->pMethods = nullptr;
  return rc;
}

int HeaderRead(sqlite3_file* f, void* buffer, int amount, sqlite3_int64 offset) {
  sqlite3_file* real = Real(f);
  int rc = real->pMethods->xRead(real, buffer, amount, offset);
  if (offset >= kHeaderSize || (rc != SQLITE_OK && rc != SQLITE_IOERR_SHORT_READ)) return rc;
  unsigned char header[kHeaderSize];
  auto* out = static_cast<unsigned char*>(buffer);
  if (offset == 0 && amount >= kHeaderSize && rc == SQLITE_OK) {
    std::memcpy(header, out, kHeaderSize);
  } else {
    // A read that covers the header only partly (or ended early): look at the whole header.
    int hrc = real->pMethods->xRead(real, header, kHeaderSize, 0);
    if (hrc != SQLITE_OK) return rc;  // a short file has no header to exchange
  }
  const char* shown = ShownHeader(header);
  if (!shown) return rc;
  sqlite3_int64 end = offset + amount < kHeaderSize ? offset + amount : kHeaderSize;
  std::memcpy(out, shown + offset, std::size_t(end - offset));
  return rc;
}

// The test control of FailWritesFrom: the countdown to the first failing write, then a full disk.
vt::FaultCountdown g_firstFailingWrite;
std::atomic<bool> g_diskFull{false};

int HeaderWrite(sqlite3_file* f, const void* buffer, int amount, sqlite3_int64 offset) {
  if (g_diskFull.load(std::memory_order_relaxed)) return SQLITE_FULL;
  if (g_firstFailingWrite.Fires()) {
    g_diskFull = true;
    return SQLITE_FULL;
  }
  sqlite3_file* real = Real(f);
  if (offset >= kHeaderSize) return real->pMethods->xWrite(real, buffer, amount, offset);
  // A file that carries the engine's standard header is not ours and stays as it is: rolling
  // back its hot journal must not turn it into one of ours that the open then accepts.
  unsigned char onDisk[kHeaderSize];
  if (real->pMethods->xRead(real, onDisk, kHeaderSize, 0) == SQLITE_OK &&
      std::memcmp(onDisk, kEngineFileHeader, kHeaderSize) == 0)
    return real->pMethods->xWrite(real, buffer, amount, offset);
  auto* in = static_cast<const unsigned char*>(buffer);
  std::vector<unsigned char> copy(in, in + amount);
  if (offset == 0 && amount >= kHeaderSize) {
    if (std::memcmp(in, kEngineFileHeader, kHeaderSize) == 0)
      std::memcpy(copy.data(), kDataFileHeader, kHeaderSize);
  } else {
    // The engine writes page 1 whole; a partial header write is exchanged byte by byte.
    for (sqlite3_int64 i = offset; i < kHeaderSize && i < offset + amount; ++i) {
      if (in[i - offset] == static_cast<unsigned char>(kEngineFileHeader[i]))
        copy[std::size_t(i - offset)] = static_cast<unsigned char>(kDataFileHeader[i]);
    }
  }
  return real->pMethods->xWrite(real, copy.data(), amount, offset);
}

int HeaderTruncate(sqlite3_file* f, sqlite3_int64 size) {
  return Real(f)->pMethods->xTruncate(Real(f), size);
}
int HeaderSync(sqlite3_file* f, int flags) { return Real(f)->pMethods->xSync(Real(f), flags); }
int HeaderFileSize(sqlite3_file* f, sqlite3_int64* size) {
  return Real(f)->pMethods->xFileSize(Real(f), size);
}
int HeaderLock(sqlite3_file* f, int level) { return Real(f)->pMethods->xLock(Real(f), level); }
int HeaderUnlock(sqlite3_file* f, int level) { return Real(f)->pMethods->xUnlock(Real(f), level); }
int HeaderCheckReservedLock(sqlite3_file* f, int* out) {
  return Real(f)->pMethods->xCheckReservedLock(Real(f), out);
}
int HeaderFileControl(sqlite3_file* f, int op, void* arg) {
  return Real(f)->pMethods->xFileControl(Real(f), op, arg);
}
int HeaderSectorSize(sqlite3_file* f) { return Real(f)->pMethods->xSectorSize(Real(f)); }
int HeaderDeviceCharacteristics(sqlite3_file* f) {
  return Real(f)->pMethods->xDeviceCharacteristics(Real(f));
}
int HeaderShmMap(sqlite3_file* f, int page, int size, int extend, void volatile** out) {
  sqlite3_file* real = Real(f);
  if (real->pMethods->iVersion < 2 || !real->pMethods->xShmMap) return SQLITE_IOERR;
  return real->pMethods->xShmMap(real, page, size, extend, out);
}
int HeaderShmLock(sqlite3_file* f, int offset, int n, int flags) {
  sqlite3_file* real = Real(f);
  if (real->pMethods->iVersion < 2 || !real->pMethods->xShmLock) return SQLITE_IOERR;
  return real->pMethods->xShmLock(real, offset, n, flags);
}
void HeaderShmBarrier(sqlite3_file* f) {
  sqlite3_file* real = Real(f);
  if (real->pMethods->iVersion >= 2 && real->pMethods->xShmBarrier) real->pMethods->xShmBarrier(real);
}
int HeaderShmUnmap(sqlite3_file* f, int deleteFlag) {
  sqlite3_file* real = Real(f);
  if (real->pMethods->iVersion < 2 || !real->pMethods->xShmUnmap) return SQLITE_OK;
  return real->pMethods->xShmUnmap(real, deleteFlag);
}

int VfsOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
  sqlite3_vfs* base = BaseVfs();
  if (!(flags & SQLITE_OPEN_MAIN_DB)) return base->xOpen(base, name, file, flags, outFlags);
  auto* header = reinterpret_cast<HeaderFile*>(file);
  header->real = reinterpret_cast<sqlite3_file*>(header + 1);
  header->name = nullptr;
  int rc = base->xOpen(base, name, header->real, flags, outFlags);
  // The engine calls xClose whenever pMethods is set, also after a failed open.
  file->pMethods = header->real->pMethods ? &g_methods : nullptr;
  if (rc == SQLITE_OK && name && file->pMethods) {
    std::lock_guard<std::mutex> hold(OpenMutex());
    OpenNames().emplace_back(name);
    header->name = name;
  }
  return rc;
}

int VfsDelete(sqlite3_vfs*, const char* name, int syncDir) {
  return BaseVfs()->xDelete(BaseVfs(), name, syncDir);
}
int VfsAccess(sqlite3_vfs*, const char* name, int flags, int* out) {
  return BaseVfs()->xAccess(BaseVfs(), name, flags, out);
}
int VfsFullPathname(sqlite3_vfs*, const char* name, int size, char* out) {
  return BaseVfs()->xFullPathname(BaseVfs(), name, size, out);
}
void* VfsDlOpen(sqlite3_vfs*, const char* name) { return BaseVfs()->xDlOpen(BaseVfs(), name); }
void VfsDlError(sqlite3_vfs*, int size, char* out) { BaseVfs()->xDlError(BaseVfs(), size, out); }
void (*VfsDlSym(sqlite3_vfs*, void* handle, const char* symbol))(void) {
  return BaseVfs()->xDlSym(BaseVfs(), handle, symbol);
}
void VfsDlClose(sqlite3_vfs*, void* handle) { BaseVfs()->xDlClose(BaseVfs(), handle); }
int VfsRandomness(sqlite3_vfs*, int size, char* out) { return BaseVfs()->xRandomness(BaseVfs(), size, out); }
int VfsSleep(sqlite3_vfs*, int micros) { return BaseVfs()->xSleep(BaseVfs(), micros); }
int VfsCurrentTime(sqlite3_vfs*, double* out) { return BaseVfs()->xCurrentTime(BaseVfs(), out); }
int VfsGetLastError(sqlite3_vfs*, int size, char* out) {
  return BaseVfs()->xGetLastError ? BaseVfs()->xGetLastError(BaseVfs(), size, out) : 0;
}
int VfsCurrentTimeInt64(sqlite3_vfs*, sqlite3_int64* out) {
  return BaseVfs()->xCurrentTimeInt64(BaseVfs(), out);
}

}  // namespace

bool IsDatabaseFileOpen(const std::string& path) {
  std::lock_guard<std::mutex> hold(OpenMutex());
  for (const std::string& name : OpenNames())
    if (name == path || vt::IsSameFileObject(name, path)) return true;
  return false;
}

namespace {

bool Register() {
  sqlite3_initialize();
  sqlite3_vfs* base = sqlite3_vfs_find(nullptr);
  if (!base) return false;

  g_methods = sqlite3_io_methods{};
  g_methods.iVersion = 2;  // version 3 would add xFetch: memory-mapped pages past our xRead
  g_methods.xClose = HeaderClose;
  g_methods.xRead = HeaderRead;
  g_methods.xWrite = HeaderWrite;
  g_methods.xTruncate = HeaderTruncate;
  g_methods.xSync = HeaderSync;
  g_methods.xFileSize = HeaderFileSize;
  g_methods.xLock = HeaderLock;
  g_methods.xUnlock = HeaderUnlock;
  g_methods.xCheckReservedLock = HeaderCheckReservedLock;
  g_methods.xFileControl = HeaderFileControl;
  g_methods.xSectorSize = HeaderSectorSize;
  g_methods.xDeviceCharacteristics = HeaderDeviceCharacteristics;
  g_methods.xShmMap = HeaderShmMap;
  g_methods.xShmLock = HeaderShmLock;
  g_methods.xShmBarrier = HeaderShmBarrier;
  g_methods.xShmUnmap = HeaderShmUnmap;

  g_vfs = sqlite3_vfs{};
  g_vfs.iVersion = base->iVersion < 2 ? base->iVersion : 2;
  g_vfs.szOsFile = int(sizeof(HeaderFile)) + base->szOsFile;
  g_vfs.mxPathname = base->mxPathname;
  g_vfs.zName = "vantrel-data-file";
  g_vfs.pAppData = base;
  g_vfs.xOpen = VfsOpen;
  g_vfs.xDelete = VfsDelete;
  g_vfs.xAccess = VfsAccess;
  g_vfs.xFullPathname = VfsFullPathname;
  g_vfs.xDlOpen = base->xDlOpen ? VfsDlOpen : nullptr;
  g_vfs.xDlError = base->xDlError ? VfsDlError : nullptr;
  g_vfs.xDlSym = base->xDlSym ? VfsDlSym : nullptr;
  g_vfs.xDlClose = base->xDlClose ? VfsDlClose : nullptr;
  g_vfs.xRandomness = VfsRandomness;
  g_vfs.xSleep = VfsSleep;
  g_vfs.xCurrentTime = VfsCurrentTime;
  g_vfs.xGetLastError = VfsGetLastError;
  if (g_vfs.iVersion >= 2) g_vfs.xCurrentTimeInt64 = VfsCurrentTimeInt64;
  return sqlite3_vfs_register(&g_vfs, 1) == SQLITE_OK;
}

}  // namespace

bool InstallDataFileVfs() {
  static std::once_flag once;
  static bool installed = false;
  std::call_once(once, [] { installed = Register(); });
  return installed;
}

void DataFileVfsTestHook::FailWritesFrom(int64_t n) {
  g_diskFull = false;
  g_firstFailingWrite.Arm(n);
}

}  // namespace vtstore
