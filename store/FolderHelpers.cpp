// Folder and GUID helpers (see FolderHelpers.h).
#include "store/FolderHelpers.h"

#include <vector>

#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"

bool CreateFolderTree(const std::string& path) {
  if (!vt::IsUsablePath(path)) return false;
  std::string withSeparator = path;
  if (withSeparator.back() != '/') withSeparator += '/';
  if (withSeparator.size() >= vt::kMaxPath) return false;
  return vt::CreateFolders(withSeparator);
}

bool DeleteFolderTree(const std::string& path) {
  if (path.empty() || !vt::IsUsablePath(path)) return false;
  std::vector<vt::FolderEntry> entries;
  if (!vt::ListFolder(path, entries)) return false;
  return vt::RemoveTree(path);
}

bool ListSubfolders(const std::string& folder, std::string* array, int capacity, int& count) {
  count = 0;
  std::vector<vt::FolderEntry> entries;
  if (!vt::ListFolder(folder, entries)) return true;
  std::string base = folder;
  TrimTrailingBackslashes(base);
  for (const auto& entry : entries) {
    if (!entry.isFolder) continue;
    if (array && count < capacity) array[count] = base + '/' + entry.name;
    ++count;
  }
  return true;
}

int CountFilesInTree(const std::string& folder) {
  std::vector<vt::FolderEntry> entries;
  if (!vt::ListFolder(folder, entries)) return 0;
  int count = 0;
  for (const auto& entry : entries) {
    if (entry.isFolder)
      count += CountFilesInTree(vt::JoinPath(folder, entry.name));
    else
      ++count;
  }
  return count;
}

uint64_t GetFolderSize(const std::string& folder) {
  std::vector<vt::FolderEntry> entries;
  if (!vt::ListFolder(folder, entries)) return 0;
  uint64_t total = 0;
  for (const auto& entry : entries) {
    std::string path = vt::JoinPath(folder, entry.name);
    if (entry.isFolder) {
      total += GetFolderSize(path);
    } else if (uint64_t size = 0; vt::GetFileSize(path, size)) {
      total += size;
    }
  }
  return total;
}

bool GetLastPathComponent(const std::string& path, std::string* out) {
  if (!out) return false;
  std::string copy = path;
  TrimTrailingBackslashes(copy);
  *out = std::string(vt::FileNamePart(copy));
  return true;
}

void TrimTrailingBackslashes(std::string& path) {
  // '/' never occurs inside a multibyte UTF-8 sequence, so a byte scan is a character scan.
  while (!path.empty() && path.back() == '/') path.pop_back();
}

void GuidToString(const vt::Guid& guid, std::string& out) { out = guid.ToText(); }

void NewGuidString(std::string& out) { GuidToString(vt::Guid::Create(), out); }
