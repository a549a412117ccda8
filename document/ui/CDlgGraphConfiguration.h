// "General Display Settings": edits, group by group and channel by channel, how the trends of a
// graph window are drawn (shown channels, Y-axis mode, type and fineness, number form, scale,
// zone, trip lines, message groups, colour), renames groups and removes channels. It works on
// its own deep copy of the graph document's saved-graph record; the caller applies the record
// after OK together with what the root reports (changed message groups, removed groups).
//
// The tag column only shows the channel number, tag name or tag number: storing a page never
// writes that text back into the entry's tag name, so a saved graph keeps its real names for
// the catalogue's search.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "document/ui/DialogFrame.h"
#include "gadget/sheet/GSheetLabels.h"
#include "store/GraphConfiguration.h"

GADGET_DECLARE_RECORD(CGVTGraphConfigurationRoot)
GADGET_DECLARE_RECORD(CGVTSColors)

class CGSheet;
class CGSheetArray;
class CGTabPage;

namespace vt_ui {
// The text of a mark group mask: "ALL" first when bit 60 is set, then the numbers of the set
// groups 1-60 separated by commas; "No" when nothing is set.
std::string MessageGroupText(uint64_t mask);
// The tag column's text of a saved tag: mode 1 the tag name, 2 the tag number, otherwise
// "CH%03d" of the channel number with "(n)" for segment n of a batch of several segments.
std::string TagColumnText(const SGraphTag& tag, int mode);
// Zone bounds put in order and kept apart (50/50 gives 49/51, 0/0 0/1, 100/100 99/100).
void OrderZone(int* lower, int* upper);
}  // namespace vt_ui

// The colour column: a click on an active line is announced (GEVENT_CLICKED) before the colour
// chooser opens, so the dialog selects the line whose colour is being chosen.
class CGVTSColors : public CGSColors {
 public:
  CGVTSColors(CGCore* parent, int width) : CGSColors(parent, width) {}
  const SGClassInfo* GetClassInfo() const override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
};

class CGVTGraphConfigurationRoot : public vt::CGVTDialogRoot {
 public:
  enum : int {
    kPagesId = 1077,
    kSheetId = 1078,
    kShownId = 1079,
    kTagId = 1080,
    kModeId = 1081,
    kTypeId = 1082,
    kFinenessId = 1083,
    kFormId = 1084,
    kScaleMinId = 1085,
    kScaleMaxId = 1086,
    kZoneMinId = 1087,
    kZoneMaxId = 1088,
    kTrip1Id = 1089,
    kMessageId = 1093,
    kColourId = 1094,
    kGroupNameId = 1095,
    kDeleteId = 1030,
    kOkId = 1,
    kCancelId = 2,
  };
  static constexpr int kPageCount = 50;

  CGVTGraphConfigurationRoot(int width, int height);
  const SGClassInfo* GetClassInfo() const override;

  // A deep copy of the record becomes the root's work copy; the reports are cleared.
  void LoadValues(const SGraphConfiguration& record);
  // Every group's page into the work copy (groups left without tags are reported removed and
  // dropped), then the work copy into record.
  void StoreValues(SGraphConfiguration* record);
  void FillAllPages();
  void FillPage(int page);
  void FillCurrentPage() { FillPage(CurrentPage()); }
  void StorePage(int page);
  void UpdateDeleteButton();
  void DeleteSelectedTags();
  void ApplyFormAndZones();
  void RenameGroup();
  // The message-group dialog over the mask of line's channel; a changed mask is stored and
  // reported (m_messageGroupsChanged), and the page's message texts are shown again.
  void ChooseMessageGroups(int line);
  // Selects the line of a clicked colour cell.
  void SelectColourLine(int line);

  int CurrentPage() const;
  CGTabPage* Page(int page) const {
    return page >= 0 && page < kPageCount ? pages_[std::size_t(page)] : nullptr;
  }
  CGSheet* PageSheet(int page) const;
  CGSheetArray* PageColumn(int page, int id) const;
  CGPrimitive* Gadget(int id) const { return static_cast<CGPrimitive*>(FindById(id)); }
  const SGraphConfiguration* Work() const { return work_.get(); }

  bool m_messageGroupsChanged = false;
  uint64_t m_removedGroups = 0;
  std::array<CGTabPage*, kPageCount> pages_{};

 private:
  void Redraw(CGPrimitive* gadget);
  GraphConfigurationHolder work_;
};

CGVTGraphConfigurationRoot* CreateGraphConfigurationRoot();

class CDlgGraphConfiguration : public vt::DialogWindow {
 public:
  static constexpr int kTemplateId = 336;
  explicit CDlgGraphConfiguration(SGraphConfiguration* record);
  ~CDlgGraphConfiguration() override;

  // The root's values into the caller's record (the caller runs it after OK).
  void StoreValues();

  CGVTGraphConfigurationRoot* m_root = nullptr;

 protected:
  bool OnInitDialog() override;

 private:
  SGraphConfiguration* m_record;
};
