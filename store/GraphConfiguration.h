// SGraphConfiguration: the saved state of one graph window, and its serialised form (the blob
// that "graph.db" keeps per saved graph).
//
// The graph document fills the record when the user saves a graph and applies it when one is
// opened; the store keeps the tag, mark and window records and the settings and display blocks
// byte for byte, reading only the few fields it puts into its side tables. The blob is written
// and read field by field, little-endian, parts back to back, in the layout the Windows program
// wrote (32-bit structures such as WINDOWPLACEMENT, GUIDs in their binary layout), so saved graphs
// stay exchangeable. Counts read from a blob are clamped by the bytes left: a damaged or
// truncated blob never drives a large allocation and loads what it holds.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "recorder/PreciseTime.h"

inline constexpr int32_t kGraphVersion = 0x10201;
inline constexpr int32_t kGraphVersionOld = 0x10101;

inline constexpr std::size_t kGraphGroupNameSize = 72;
inline constexpr std::size_t kGraphTagSize = 248;
inline constexpr std::size_t kGraphMarkSize = 504;
inline constexpr std::size_t kGraphWindowSize = 52;
inline constexpr std::size_t kGraphSettingsSize = 40;
inline constexpr std::size_t kGraphDisplaySize = 336;
inline constexpr std::size_t kGraphOldSettingsSize = 24;
inline constexpr std::size_t kGraphOldDisplaySize = 328;

// One shown channel, 248 bytes as the graph document writes them.
struct SGraphTag {
  static constexpr std::size_t kChannelOffset = 52;  // 32-bit channel number
  static constexpr std::size_t kGuidOffset = 144;    // the batch's GUID, binary layout
  static constexpr std::size_t kNameOffset = 160;    // tag name, NUL-terminated
  static constexpr std::size_t kNameSize = 40;

  std::array<uint8_t, kGraphTagSize> bytes{};

  int32_t ChannelNumber() const;
  std::string BatchGuidText() const;
  std::string TagName() const;
};

// One mark, 504 bytes as the graph document writes them.
struct SGraphMark {
  static constexpr std::size_t kTitleOffset = 80;
  static constexpr std::size_t kTitleSize = 72;
  static constexpr std::size_t kCommentOffset = 152;
  static constexpr std::size_t kCommentSize = 264;

  std::array<uint8_t, kGraphMarkSize> bytes{};

  std::string Title() const;
  std::string Comment() const;
};

// One open view of the graph window: its kind (1 graph, 2 list, 3 sheet), an unused value and
// the view frame's window placement as the 32-bit Windows structure holds it.
struct SGraphWindowEntry {
  int32_t viewKind = 0;
  int32_t unused = 0;
  uint32_t length = 0;  // 44 in a placement the window system filled
  uint32_t flags = 0;
  uint32_t showCmd = 0;
  int32_t minX = 0, minY = 0;
  int32_t maxX = 0, maxY = 0;
  int32_t normalLeft = 0, normalTop = 0, normalRight = 0, normalBottom = 0;
};

struct SGraphGroup {
  char name[kGraphGroupNameSize] = {};  // NUL-terminated
  int32_t groupValue = 0;
  std::vector<SGraphTag> tags;
  PreciseTime times[2] = {};
  int32_t groupSetting = 0;
  std::vector<SGraphMark> marks;

  std::string Name() const;
  void SetName(std::string_view text);  // cut to 71 bytes at a character boundary
};

struct SGraphConfiguration {
  int32_t version = kGraphVersion;
  int32_t documentSwitch = 0;
  std::array<uint8_t, 8> reserved1{};
  int32_t currentGroup = 0;
  std::vector<SGraphGroup> groups;
  PreciseTime cursors[2] = {};
  int32_t reserved2 = 0;
  std::vector<SGraphMark> marks;  // graph-wide marks
  std::array<uint8_t, kGraphSettingsSize> settings{};
  std::array<uint8_t, kGraphDisplaySize> display{};
  int32_t reserved3 = 0;
  std::vector<SGraphWindowEntry> windows;
  int32_t reserved4 = 0;
  int32_t nameMode = 0;
};

// The record is held through a holder; a null holder holds no record.
using GraphConfigurationHolder = std::unique_ptr<SGraphConfiguration>;

// Makes a zero-filled record when the holder is empty; gives it zero-filled group, mark and window
// arrays of the given counts (a count of 0 or less gives an empty array).
void AllocateGraphConfigurationArrays(int windowCount, GraphConfigurationHolder& holder, int groupCount,
                                      int markCount);
// Gives group groupIndex zero-filled tag and mark arrays; nothing for an index out of range.
void AllocateGraphGroupArrays(int groupIndex, int tagCount, GraphConfigurationHolder& holder, int markCount);
void FreeGraphConfiguration(GraphConfigurationHolder& holder);
void ReleaseGraphConfiguration(GraphConfigurationHolder& holder);
// The blob size: 24 + sum over the groups of (120 + 248 T + 504 K) + 40 + 504 M + 384 + 52 W + 8.
int64_t GetGraphConfigurationSize(const GraphConfigurationHolder& holder);
// The blob of a record (empty for a null holder).
std::string SerializeGraphConfiguration(const SGraphConfiguration& record);
// A new record read from a blob: version 0x10201 and 0x10101 layouts are read, any other version
// gives an empty record; a blob that ends early leaves the remaining fields zero. The record's
// version is 0x10201 in every case.
GraphConfigurationHolder DeserializeGraphConfiguration(std::string_view blob);
// The blob written to (or read from) a file; false when the file cannot be written. A file that
// cannot be read loads as an empty record.
bool WriteGraphConfiguration(const GraphConfigurationHolder& holder, const std::string& path);
void LoadGraphConfiguration(GraphConfigurationHolder& holder, const std::string& path);
// A deep copy of source in which the groups without tags are left out; the current group index is
// copied unchanged.
void CopyGraphConfiguration(GraphConfigurationHolder& destination, const GraphConfigurationHolder& source);
