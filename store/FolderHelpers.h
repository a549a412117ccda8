// Folder and GUID helpers of the data store.
//
// Small free functions on folder trees and GUID texts for the storage manager, the storages,
// their maintenance and the import. Paths are POSIX paths; a usable path is an absolute one
// (vt::IsUsablePath) and a path, with the separator a folder tree adds, stays below the
// program's 260-character limit. Enumeration skips "." and ".." and goes in name order.
#pragma once
#include <cstdint>
#include <string>

#include "platform/base/Guid.h"

// Creates the folder and every missing folder above it. False for an unusable path, for one of
// 259 characters or more (the separator added at its end makes 260), and when a creation fails.
bool CreateFolderTree(const std::string& path);
// Deletes the folder with everything below it, read-only files included. False for an empty or
// unusable path, a folder that cannot be enumerated, or anything that cannot be deleted.
bool DeleteFolderTree(const std::string& path);
// The folder's direct sub-folders as full paths, stored while array is given and fewer than
// capacity are stored; count receives how many there are (also beyond capacity). True.
bool ListSubfolders(const std::string& folder, std::string* array, int capacity, int& count);
// Files (not folders) in the folder and all its sub-folders; 0 when it cannot be enumerated.
int CountFilesInTree(const std::string& folder);
// The sum of the sizes of all files in the folder and all its sub-folders.
uint64_t GetFolderSize(const std::string& folder);
// The component after the last separator, trailing separators ignored; false for a null out.
bool GetLastPathComponent(const std::string& path, std::string* out);
// Removes the run of separators at the end of the path, in place.
void TrimTrailingBackslashes(std::string& path);
// The GUID as upper-case 8-4-4-4-12 text without braces.
void GuidToString(const vt::Guid& guid, std::string& out);
// A new random GUID, as GuidToString writes it.
void NewGuidString(std::string& out);
