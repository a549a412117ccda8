// CNavigationDoc: the model of the Navigation pane. It holds the pane's mode (data or saved
// graphs), the node the user selected in the tree (its kind and key), the instruments of the
// current storage in the order the tree shows them, and the name of the saved search condition
// last loaded into the list. The tree window and the Search pane observe it through the codes
// below; the main frame writes the mode and the condition name.
//
// Qt-free; user-interface thread only.
#pragma once
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/CSubject.h"
#include "store/CatalogueQueries.h"

class CNavigationDoc : public CSubject {
 public:
  // Notification codes.
  enum : int {
    NAV_NOTIFY_MODE = 1,          // the mode changed
    NAV_NOTIFY_SELECTION = 2,     // the selected node changed
    NAV_NOTIFY_EDIT_LABEL = 3,    // start editing the selected instrument's name
    NAV_NOTIFY_REBUILD = 4,       // the instrument list was read anew: rebuild the tree
    NAV_NOTIFY_ADDED = 5,         // instruments may have been appended
    NAV_NOTIFY_RENAMED = 6,       // an instrument got a new name
    NAV_NOTIFY_CONDITION = 7,     // select the node of the loaded search condition
    NAV_NOTIFY_REMOVED = 8,       // the selected instrument was deleted
    NAV_NOTIFY_BRING_FORWARD = 9  // show the Search pane
  };
  enum : int { MODE_NONE = 0, MODE_DATA = 1, MODE_GRAPH = 2 };
  // Node kinds of the tree.
  enum : int {
    NODE_NONE = 0,
    NODE_ALL_DATA = 1,
    NODE_INSTRUMENT = 2,
    NODE_TAG = 3,
    NODE_ALARM = 4,
    NODE_DISPLAY_GROUP = 5,
    NODE_MESSAGE = 6,
    NODE_FILE = 7,
    NODE_BATCH = 8,
    NODE_TRASH = 9,
    NODE_CONDITIONS = 10,
  };

  struct Instrument {
    std::string serialNo, name;
  };
  using SourcesFn = std::function<vt::CatalogueSources()>;

  // sources defaults to the application's current storage and stores.
  explicit CNavigationDoc(SourcesFn sources = {});

  // The list kind a node kind shows in data mode (3-10 give 1-8, anything else none).
  static int ListKindOfNode(int nodeKind);

  // Stores the selection and announces NAV_NOTIFY_SELECTION, unless it is the current one.
  void SetSelection(int kind, const std::string& key);
  // Sets the mode, announcing NAV_NOTIFY_MODE when it changes.
  void SetMode(int mode);
  // Appends the instruments of the storage not in the list yet; existing ones keep their names.
  void RefreshInstruments();
  // After the current storage changed: the list read anew, then NAV_NOTIFY_REBUILD.
  void RebuildInstruments();
  // After an import: new instruments appended, then NAV_NOTIFY_ADDED.
  void RefreshAndAnnounce();
  // Renames the instrument in the storage and then in the list (NAV_NOTIFY_RENAMED); false,
  // with nothing changed, when the storage refuses.
  bool RenameInstrument(const std::string& serialNo, const std::string& newName);
  // Drops the instrument from the list and announces NAV_NOTIFY_REMOVED.
  void RemoveInstrument(const std::string& serialNo);
  // The node of the saved condition named by m_conditionName: (node kind, instrument serial
  // number); kind 0 when the condition is unknown or shows no catalogue list.
  std::pair<int, std::string> GetConditionNode() const;

  int m_mode = MODE_NONE;
  int m_selectionKind = NODE_NONE;
  std::string m_selectionKey;
  std::vector<Instrument> m_instruments;
  std::string m_conditionName;

 private:
  vt::CatalogueSources Sources() const;
  SourcesFn m_sources;
};
