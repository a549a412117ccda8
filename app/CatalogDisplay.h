// CatalogDisplay: the catalogue's rows shown in graph windows. The rows the user selected in the
// report list become channel and group requests of a graph window's document: in a new window
// ("Graph n", numbered by a counter that is never reset), one window per batch for the entire
// files, or added to the active window; the file of a file-open import is shown in a new window.
// Displaying saved graphs opens each in its own window under its name (the counter unchanged).
//
// Channels are collected once per (batch, channel); a tag row of channel 0 stands for every
// channel of its batch. Groups are collected once per (batch, display group). Alarm and message
// rows put cursor A on their earliest and cursor B on their latest time; a file row the start
// and end of the selected file that ends latest. A catalogue query that fails ends the command
// without a window (or without further windows). Qt-free; user-interface thread only.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/CGVantrelGroupData.h"

class CListDoc;
class CVantrelDoc;

namespace vt {

class DocTemplate;

class CatalogDisplay {
 public:
  // The graph template that makes new windows and the active window's document; both asked
  // at every command.
  CatalogDisplay(CListDoc& list, std::function<DocTemplate*()> graphTemplate,
                 std::function<CVantrelDoc*()> activeDocument);

  // Whether Display has rows to show: a selection in list kinds 1 to 6 or of saved graphs.
  bool CanDisplay() const;
  // The selected rows (list kinds 1 to 6) in one new window, or each selected saved graph in
  // its own window; false when no window was opened.
  bool Display();
  // One new window per batch of the selected rows (list kinds 1 to 6), with all its groups.
  bool DisplayEntireFile();
  // The selected rows (list kinds 1 to 6) added to the active window.
  bool AddToActiveWindow();
  // Every display group of the batch of a stored file (its storage-relative path) in a new
  // window, without cursors.
  bool ShowImportedFile(const std::string& storedPath);

  uint32_t GraphCounter() const { return counter_; }

 private:
  struct Cursors {
    std::optional<TickTime> a, b;
    void Take(int64_t ticks);
  };
  // The selected rows; empty without a selection.
  std::vector<int> SelectedRows();
  // The channel keys of tag and alarm rows, without duplicates; false when a query failed.
  bool CollectChannels(const std::vector<int>& rows, std::vector<SVantrelChannelKey>& keys);
  // The group requests of display-group, message, file and continuous-data rows; false when a
  // query failed.
  bool CollectGroups(const std::vector<int>& rows, std::vector<SVantrelGroupEntry>& groups);
  // The request of one display group of a batch: its name and every channel of it.
  bool GroupRequest(const std::string& batch, int groupNo, const std::string& name,
                    SVantrelGroupEntry& entry);
  // Every display group of a batch as requests; false when a query failed.
  bool BatchGroups(const std::string& batch, std::vector<SVantrelGroupEntry>& groups);
  // The cursors of the rows: alarm and message times, or the latest-ending file.
  Cursors RowCursors(const std::vector<int>& rows);
  // The selected saved graphs, each in a window of its own named after it.
  bool OpenSavedGraphs();
  // A new window "Graph n" with the groups; false when none could be made.
  bool OpenWindow(const std::vector<SVantrelGroupEntry>& groups, const Cursors& cursors);

  CListDoc& list_;
  std::function<DocTemplate*()> graphTemplate_;
  std::function<CVantrelDoc*()> activeDocument_;
  uint32_t counter_ = 0;
};

}  // namespace vt
