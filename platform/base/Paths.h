// Paths and the program's locations.
//
// Paths are POSIX paths with '/', held and compared as UTF-8 bytes. The program root (what the
// program calls "the drive of the program file") is $VANTREL_ROOT, else $XDG_DATA_HOME, else
// ~/.local/share; data, logs and conversions live below it. Stored records keep the old
// 260-character path limit, so callers check lengths against kMaxPath; paths that are only
// handed to the kernel (folders being scanned) go up to its limit, kMaxSystemPath.
#pragma once
#include <climits>
#include <cstddef>
#include <string>
#include <string_view>

namespace vt {

// Longest path, in bytes, including the terminating NUL of the fixed fields that hold one.
constexpr std::size_t kMaxPath = 260;
// Longest path, in bytes with its terminating NUL, that the kernel takes.
constexpr std::size_t kMaxSystemPath = PATH_MAX;

// $VANTREL_ROOT, else $XDG_DATA_HOME, else $HOME/.local/share (no trailing '/').
std::string ProgramRoot();
// The folder that holds the running executable (no trailing '/').
std::string ProgramFolder();
// The per-user folder for named objects (mutex lock files, local sockets): "vantrel" in
// $XDG_RUNTIME_DIR, else /tmp/vantrel-<uid>; made with mode 0700 when missing. False when
// neither can be made or the folder is not this user's own.
bool UserRuntimeFolder(std::string* dir);
// A path the program can use as a drive or network path: an absolute path.
bool IsUsablePath(std::string_view path);

// a + '/' + b, with exactly one '/' between them; an empty side gives the other.
std::string JoinPath(std::string_view a, std::string_view b);
// The last component ("c.DAE" of "/a/b/c.DAE"); the whole text when it has no '/'.
std::string_view FileNamePart(std::string_view path);
// Everything before the last '/' ("/a/b" of "/a/b/c"); "/" for "/c"; "" when there is no '/'.
std::string_view ParentPath(std::string_view path);
// The extension of the last component with its dot (".DAE"), or "" when it has none.
std::string_view ExtensionPart(std::string_view path);
// Whether the last component ends in ext (".DAE"), ASCII letters compared without case.
bool HasExtension(std::string_view path, std::string_view ext);

}  // namespace vt
