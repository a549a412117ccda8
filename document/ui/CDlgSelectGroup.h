// The "Display message group" dialog: for one channel of the display settings, the message
// groups of its recording whose marks are shown with it. Forty toggle cells in four columns of
// ten: the first stands for all groups (bit 60 of the mark group mask), cell e for the
// recording's display group e (bit e - 1). Groups the recording does not use are inactive; cells
// beyond its group count are empty. OK and Enter end with 1 and the caller reads the new mask,
// which replaces the old one entirely; Cancel ends with 2. The root is pooled and reloaded at
// every opening.
//
// The message-group bits of a mark group mask: a write group g of 1 to 60 is bit g - 1; bit 60
// means every group, so groups above 60 (and below 1) set no bit. The column text of a mask walks
// bits 0 to 59.
#pragma once
#include <cstdint>
#include <string>

#include "document/ui/DialogFrame.h"
#include "platform/base/Guid.h"

GADGET_DECLARE_RECORD(CGVTSelectGroupRoot)

class CGSheetArray;

inline constexpr int kMessageGroupCells = 40;
inline constexpr int kMessageGroupAllBit = 60;
inline constexpr int kMessageGroupMax = 60;

// The mask bit of write group g (1-60), 0 for any other number.
uint64_t MessageGroupBit(int group);
// The mask bit of cell e (0 all groups, e >= 1 group e).
uint64_t MessageGroupCellBit(int cell);
// "ALL" when every group is set, then the groups of bits 0-59 ("1,3,60"); "No" for none.
std::string MessageGroupText(uint64_t mask);

class CGVTSelectGroupRoot : public vt::CGVTDialogRoot {
 public:
  enum : int { kSheetId = 1078, kFirstColumnId = 1096, kOkId = 1, kCancelId = 2 };
  CGVTSelectGroupRoot();
  const SGClassInfo* GetClassInfo() const override;

  // The cells of the recording's groups (only "All Groups" when the batch cannot be had) and
  // their toggles from mask.
  void LoadSelectGroupValues(uint64_t mask, const vt::Guid& batch);
  // The mask of the toggled cells.
  uint64_t GetSelectedGroups();

  // The column of cell e and its line.
  CGSheetArray* CellColumn(int cell) const;
  static int CellLine(int cell) { return cell / 4; }
  // The cell's toggle, state and text.
  bool IsToggled(int cell) const;
  void SetToggled(int cell, bool on);
  bool IsCellActive(int cell) const;
  std::string CellText(int cell) const;

  uint64_t m_mask = 0;
};

CGVTSelectGroupRoot* CreateSelectGroupRoot();

class CDlgSelectGroup : public vt::DialogWindow {
 public:
  static constexpr int kTemplateId = 337;
  explicit CDlgSelectGroup(vt::WindowHandle parent);
  ~CDlgSelectGroup() override;

  uint32_t m_maskLow = 0;
  uint32_t m_maskHigh = 0;
  vt::Guid m_batchId;
  CGVTSelectGroupRoot* m_root = nullptr;

 protected:
  bool OnInitDialog() override;
};
