// The reader factory: see FileAccessFactory.h.
#include "recorder/FileAccessFactory.h"

#include <new>

#include "platform/base/Paths.h"
#include "recorder/newer/CVTQRAdvFileAccess.h"
#include "recorder/older/CVTQRFileAccess.h"

CVTDataFileAccess* NewFileAccessFor(const std::string& path) {
  if (vt::HasExtension(path, ".DAE") || vt::HasExtension(path, ".DAD"))
    return new (std::nothrow) CVTQRAdvFileAccess;
  if (vt::HasExtension(path, ".DEV") || vt::HasExtension(path, ".DDS"))
    return new (std::nothrow) CVTQRFileAccess;
  return nullptr;
}

int OpenFileAccessGuarded(CVTDataFileAccess* reader, const std::string& path) {
  if (!reader) return vt::FILE_ACCESS_UNSUPPORTED;
  try {
    return reader->Open(path);
  } catch (const std::bad_alloc&) {
    return vt::FILE_ACCESS_TABLES_FAILED;
  } catch (...) {
    return vt::FILE_ACCESS_EXCEPTION;
  }
}

int OpenOrDiscardFileAccess(CVTDataFileAccess* reader, const std::string& path, CVTDataFileAccess** out) {
  if (out) *out = nullptr;
  if (!reader) return vt::FILE_ACCESS_UNSUPPORTED;
  const int result = out ? OpenFileAccessGuarded(reader, path) : vt::FILE_ACCESS_UNSUPPORTED;
  if (result != vt::FILE_ACCESS_OK) {
    delete reader;
    return result;
  }
  *out = reader;
  return vt::FILE_ACCESS_OK;
}

int CreateFileAccess(const std::string& path, CVTDataFileAccess** reader) {
  if (reader) *reader = nullptr;
  if (!reader) return vt::FILE_ACCESS_UNSUPPORTED;
  return OpenOrDiscardFileAccess(NewFileAccessFor(path), path, reader);
}
