// Output names: where a converted file goes.
//
// Outputs never overwrite a file: the first free name of the form stem + middle + extension,
// then stem + middle + "_1" + extension, "_2" and so on, is taken. A name where anything stands,
// a symbolic link leading nowhere included, is not free. Paths, like every path the program
// keeps in fixed fields, stay below 260 bytes.
#pragma once
#include <string>
#include <string_view>

namespace formshift {

constexpr std::size_t kMaxPath = 260;

// Splits a path at the last "." of its file name: the extension runs from there to the end.
// False when the file name has no ".".
bool SplitExtension(std::string_view path, std::string& stem, std::string& extension);

// The first name of stem + middle [+ "_n"] + extension at which nothing stands.
// False when the candidate reaches kMaxPath bytes before a free one is found.
bool FirstFreeName(const std::string& stem, const std::string& middle, const std::string& extension,
                   std::string& name);
// The same names, each claimed by creating it as a new empty file, exclusively and never through
// a link, so that no other writer can take it in between; false also when a file cannot be made.
bool ClaimFreeName(const std::string& stem, const std::string& middle, const std::string& extension,
                   std::string& name);

// The file name of a path without its folder and extension.
std::string BareFileName(std::string_view path);

}  // namespace formshift
