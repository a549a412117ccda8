// The one way to open a recorder data file: CreateFileAccess picks the reader by the file's
// extension (".DAE"/".DAD" the newer format, ".DEV"/".DDS" the older; the kind of data comes from
// the file itself), opens it under a guard and hands it over, or deletes it when it fails.
//
// The extension is that of the last path component, compared without case: a file in a folder
// named "x.DAD" is read by its own extension, and "file.DAE.bak" is no recorder file. The readers
// check every size and offset they take from a file, so no file can make them fault; the guard
// catches what still escapes Open as a C++ exception.
#pragma once
#include <string>

#include "recorder/CVTDataFileAccess.h"

// 0 and the open reader in *reader (the caller deletes it); otherwise *reader is null and the
// result is 30 for an unknown extension or a reader that cannot be made, 31 when Open threw,
// else what Open returned.
int CreateFileAccess(const std::string& path, CVTDataFileAccess** reader);

// Runs reader->Open(path): an exhausted memory gives the readers' memory result (1), any other
// exception escaping Open gives 31.
int OpenFileAccessGuarded(CVTDataFileAccess* reader, const std::string& path);

// The two halves of CreateFileAccess. NewFileAccessFor: the unopened reader for the path's
// extension, null when the extension is not a recorder file's (or no memory). OpenOrDiscard:
// opens the reader under the guard; on success stores it in *out, otherwise deletes it.
CVTDataFileAccess* NewFileAccessFor(const std::string& path);
int OpenOrDiscardFileAccess(CVTDataFileAccess* reader, const std::string& path, CVTDataFileAccess** out);
