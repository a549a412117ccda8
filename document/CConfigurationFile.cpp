// The settings record and its file (see CConfigurationFile.h).
#include "document/CConfigurationFile.h"

#include <cassert>
#include <charconv>
#include <cstdio>
#include <optional>
#include <vector>

#include "platform/base/FileSystem.h"
#include "store/FolderHelpers.h"

namespace {

constexpr const char* kEol = "\r\n";

// The file's lines without their line ends (LF or CR LF).
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

bool Has(std::string_view line, std::string_view what) { return line.find(what) != std::string_view::npos; }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// A decimal integer at the start of text after blanks, as the old runtime's scanners read one;
// nothing when no digit follows (or the number does not fit 32 bits).
std::optional<int32_t> LeadingInteger(std::string_view& text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  std::size_t start = i;
  if (i < text.size() && text[i] == '+') start = ++i;  // from_chars takes '-' only
  int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data() + start, text.data() + text.size(), value);
  if (error != std::errc() || value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  text.remove_prefix(std::size_t(end - text.data()));
  return int32_t(value);
}

// The number after the first '=' of the line; trailing text is ignored.
std::optional<int32_t> NumberValue(std::string_view line) {
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  std::string_view rest = line.substr(eq + 1);
  return LeadingInteger(rest);
}

// From the first to the last double quote of the line (to the line's end with one quote, empty
// with none); nothing when the value is longer than the reader takes.
std::optional<std::string> QuotedValue(std::string_view line) {
  const std::size_t first = line.find('"');
  std::string_view value;
  if (first != std::string_view::npos) {
    const std::size_t last = line.rfind('"');
    value = last == first ? line.substr(first + 1) : line.substr(first + 1, last - first - 1);
  }
  if (value.size() > CConfigurationFile::kMaxValueLength) return std::nullopt;
  return std::string(value);
}

// "<white space>key r,g,b" read as a scanner reads "\t<key>%d,%d,%d": the key must start the
// line after white space; the components that cannot be read are 0. Each is cut to its low byte.
uint32_t ColourValue(std::string_view line, std::string_view key) {
  int32_t parts[3] = {0, 0, 0};
  std::size_t i = 0;
  while (i < line.size() && IsBlank(line[i])) ++i;
  std::string_view rest = line.substr(i);
  if (rest.substr(0, key.size()) == key) {
    rest.remove_prefix(key.size());
    for (int k = 0; k < 3; ++k) {
      if (k > 0) {
        if (rest.empty() || rest.front() != ',') break;
        rest.remove_prefix(1);
      }
      const std::optional<int32_t> n = LeadingInteger(rest);
      if (!n) break;
      parts[k] = *n;
    }
  }
  return uint32_t(parts[0] & 0xFF) | uint32_t(parts[1] & 0xFF) << 8 | uint32_t(parts[2] & 0xFF) << 16;
}

// One section: the lines after its start marker up to its end marker. Returns false when the
// text ends first (the section is then dropped); lineIndex is left on the end marker.
template <typename OnLine>
bool ReadSection(const std::vector<std::string_view>& lines, std::size_t& lineIndex,
                 std::string_view endMarker, OnLine onLine) {
  while (++lineIndex < lines.size()) {
    if (Has(lines[lineIndex], endMarker)) return true;
    onLine(lines[lineIndex]);
  }
  return false;
}

// Keeps the last readable value of a number key.
void TakeNumber(std::string_view line, std::optional<int32_t>& slot) {
  if (const std::optional<int32_t> n = NumberValue(line)) slot = n;
}

void TakeQuoted(std::string_view line, std::optional<std::string>& slot) {
  if (std::optional<std::string> s = QuotedValue(line)) slot = std::move(s);
}

// A read value that passes its range check replaces the field.
void CommitInRange(const std::optional<int32_t>& read, int32_t low, int32_t high, int32_t& field) {
  if (read && *read >= low && *read <= high) field = *read;
}

void AppendNumber(std::string& out, const char* key, int64_t value) {
  out += '\t';
  out += key;
  out += std::to_string(value);
  out += kEol;
}

void AppendQuoted(std::string& out, const char* key, const std::string& value) {
  out += '\t';
  out += key;
  out += '"';
  out += value;
  out += '"';
  out += kEol;
}

void AppendColour(std::string& out, const char* key, uint32_t colour) {
  char text[40];
  std::snprintf(text, sizeof text, "%u,%u,%u", colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
  out += '\t';
  out += key;
  out += text;
  out += kEol;
}

void AppendMarker(std::string& out, const char* marker) {
  out += marker;
  out += kEol;
}

}  // namespace

CConfigurationFile::CConfigurationFile() = default;

CConfigurationFile::~CConfigurationFile() = default;

void CConfigurationFile::SetDefaults(const std::string& drive) {
  for (vt::SAutoImportFolder& entry : m_folderTable) entry = vt::SAutoImportFolder{};
  m_interval = 1;
  m_dstRule = SDstRule{};
  m_displayDefaults = SDisplayDefaults{};
  m_fileExpFolder.clear();
  m_dataCnvFolder.clear();
  m_fileCnvFolder.clear();
  m_drive = drive;
  const std::string folder = drive + "/Morvane/Vantrel/DATA";
  m_filePath = folder + "/" + kFileName;
  CreateFolderTree(folder);
}

bool CConfigurationFile::LoadConfiguration() {
  if (m_filePath.empty()) return false;
  if (!vt::PathExists(m_filePath) && !vt::WriteFileAtomic(m_filePath, {})) return false;
  std::string text;
  if (!vt::ReadWholeFile(m_filePath, text)) return false;
  ReadText(text);
  return true;
}

bool CConfigurationFile::SaveConfiguration() {
  if (m_filePath.empty()) return false;
  return vt::WriteFileAtomic(m_filePath, FormatText());
}

std::string CConfigurationFile::FormatText() const {
  std::string out;
  out += "Revision=101";
  out += kEol;
  out += "Company=\"Morvane\"";
  out += kEol;
  out += "Descript=\"Vantrel Configuration File\"";
  out += kEol;
  for (const vt::SAutoImportFolder& entry : m_folderTable) {
    AppendMarker(out, "[S:Folder]");
    AppendNumber(out, "Use=", entry.inUse ? 1 : 0);
    AppendNumber(out, "SubFolder=", entry.withSubfolders ? 1 : 0);
    AppendQuoted(out, "Path=", entry.folderPath);
    AppendNumber(out, "Convert=", entry.convertMode);
    AppendMarker(out, "[E:Folder]");
  }
  AppendMarker(out, "[S:Interval]");
  AppendNumber(out, "Interval=", m_interval);
  AppendMarker(out, "[E:Interval]");
  AppendMarker(out, "[S:DST]");
  AppendNumber(out, "Type=", m_dstRule.type);
  AppendNumber(out, "SummerMonth=", m_dstRule.summerMonth);
  AppendNumber(out, "SummerWeeks=", m_dstRule.summerWeeks);
  AppendNumber(out, "SummerWeek=", m_dstRule.summerWeek);
  AppendNumber(out, "SummerHour=", m_dstRule.summerHour);
  AppendNumber(out, "WinterMonth=", m_dstRule.winterMonth);
  AppendNumber(out, "WinterWeeks=", m_dstRule.winterWeeks);
  AppendNumber(out, "WinterWeek=", m_dstRule.winterWeek);
  AppendNumber(out, "WinterHour=", m_dstRule.winterHour);
  AppendMarker(out, "[E:DST]");
  AppendMarker(out, "[S:DEFAULT]");
  AppendColour(out, "GridColor=", m_displayDefaults.gridColor);
  AppendColour(out, "BackColor=", m_displayDefaults.backColor);
  AppendNumber(out, "TagDisplay=", m_displayDefaults.tagDisplay);
  AppendNumber(out, "WaveThick=", m_displayDefaults.waveThick);
  AppendNumber(out, "CursorDisp=", m_displayDefaults.cursorDisp);
  AppendNumber(out, "CursorTrans=", m_displayDefaults.cursorTrans);
  AppendNumber(out, "CellValue=", m_displayDefaults.cellValue);
  AppendMarker(out, "[E:DEFAULT]");
  AppendMarker(out, "[S:CONVFOLDER]");
  AppendQuoted(out, "DataCnvFolder=", m_dataCnvFolder);
  AppendQuoted(out, "FileCnvFolder=", m_fileCnvFolder);
  AppendQuoted(out, "FileExpFolder=", m_fileExpFolder);
  AppendMarker(out, "[E:CONVFOLDER]");
  return out;
}

void CConfigurationFile::ReadText(std::string_view text) {
  const std::vector<std::string_view> lines = SplitLines(text);
  int folderIndex = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (Has(line, "[S:Folder]")) {
      const int index = folderIndex++;
      std::optional<int32_t> use, sub, convert;
      std::optional<std::string> path;
      const bool closed = ReadSection(lines, i, "[E:Folder]", [&](std::string_view l) {
        // "SubFolder=" before "Use=": the one contains the other's key.
        if (Has(l, "SubFolder="))
          TakeNumber(l, sub);
        else if (Has(l, "Use="))
          TakeNumber(l, use);
        else if (Has(l, "Path="))
          TakeQuoted(l, path);
        else if (Has(l, "Convert="))
          TakeNumber(l, convert);
      });
      if (closed && index < kFolderCount) {
        vt::SAutoImportFolder& entry = m_folderTable[index];
        entry.inUse = use.value_or(0) != 0;
        entry.withSubfolders = sub.value_or(0) != 0;
        entry.folderPath = path.value_or(std::string());
        entry.convertMode = convert.value_or(0);
      }
    } else if (Has(line, "[S:Interval]")) {
      std::optional<int32_t> interval;
      const bool closed = ReadSection(lines, i, "[E:Interval]", [&](std::string_view l) {
        if (Has(l, "Interval=")) TakeNumber(l, interval);
      });
      // Kept as read, without a range check; GetIntervalSeconds guards its users.
      if (closed) m_interval = interval.value_or(0);
    } else if (Has(line, "[S:DST]")) {
      static constexpr const char* kKeys[9] = {
          "Type=",        "SummerMonth=", "SummerWeeks=", "SummerWeek=", "SummerHour=",
          "WinterMonth=", "WinterWeeks=", "WinterWeek=",  "WinterHour="};
      std::optional<int32_t> read[9];
      const bool closed = ReadSection(lines, i, "[E:DST]", [&](std::string_view l) {
        for (int k = 0; k < 9; ++k) {
          if (Has(l, kKeys[k])) {
            TakeNumber(l, read[k]);
            break;
          }
        }
      });
      if (closed) {
        SDstRule& r = m_dstRule;
        if (read[0]) r.type = *read[0];
        CommitInRange(read[1], 0, 11, r.summerMonth);
        CommitInRange(read[2], 0, 4, r.summerWeeks);
        CommitInRange(read[3], 0, 6, r.summerWeek);
        CommitInRange(read[4], 0, 23, r.summerHour);
        CommitInRange(read[5], 0, 11, r.winterMonth);
        CommitInRange(read[6], 0, 4, r.winterWeeks);
        CommitInRange(read[7], 0, 6, r.winterWeek);
        CommitInRange(read[8], 0, 23, r.winterHour);
      }
    } else if (Has(line, "Revision=") || Has(line, "Company=") || Has(line, "Descript=")) {
      // Header lines: read by the old reader and never used (no version check).
    } else if (Has(line, "[S:DEFAULT]")) {
      std::optional<uint32_t> grid, back;
      std::optional<int32_t> tag, thick, disp, trans, cell;
      const bool closed = ReadSection(lines, i, "[E:DEFAULT]", [&](std::string_view l) {
        if (Has(l, "GridColor="))
          grid = ColourValue(l, "GridColor=");
        else if (Has(l, "BackColor="))
          back = ColourValue(l, "BackColor=");
        else if (Has(l, "TagDisplay="))
          TakeNumber(l, tag);
        else if (Has(l, "WaveThick="))
          TakeNumber(l, thick);
        else if (Has(l, "CursorDisp="))
          TakeNumber(l, disp);
        else if (Has(l, "CursorTrans="))
          TakeNumber(l, trans);
        else if (Has(l, "CellValue="))
          TakeNumber(l, cell);
      });
      if (closed) {
        SDisplayDefaults& d = m_displayDefaults;
        if (grid) d.gridColor = *grid;
        if (back) d.backColor = *back;
        CommitInRange(tag, 0, 2, d.tagDisplay);
        if (thick && (*thick == 1 || *thick == 3 || *thick == 5)) d.waveThick = *thick;
        CommitInRange(disp, 0, 1, d.cursorDisp);
        CommitInRange(trans, 0, 1, d.cursorTrans);
        CommitInRange(cell, 0, 1, d.cellValue);
      }
    } else if (Has(line, "[S:CONVFOLDER]")) {
      std::optional<std::string> data, file, exp;
      const bool closed = ReadSection(lines, i, "[E:CONVFOLDER]", [&](std::string_view l) {
        if (Has(l, "DataCnvFolder="))
          TakeQuoted(l, data);
        else if (Has(l, "FileCnvFolder="))
          TakeQuoted(l, file);
        else if (Has(l, "FileExpFolder="))
          TakeQuoted(l, exp);
      });
      if (closed) {
        m_dataCnvFolder = data.value_or(std::string());
        m_fileCnvFolder = file.value_or(std::string());
        m_fileExpFolder = exp.value_or(std::string());
      }
    }
  }
}

int32_t CConfigurationFile::GetIntervalSeconds() const {
  if (m_interval < 0 || m_interval >= kIntervalCount) return 0;
  return kIntervalTable[m_interval];
}

bool CConfigurationFile::IsAutoImportConfigured() const {
  if (GetIntervalSeconds() == 0) return false;
  for (const vt::SAutoImportFolder& entry : m_folderTable) {
    if (entry.inUse) return true;
  }
  return false;
}
