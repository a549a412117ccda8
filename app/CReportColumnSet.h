// CReportColumnSet: the report columns of one list kind as the user left them: which are shown,
// in which order and how wide. Read from the user's profile when the set is made and written
// back when it goes, in section "ReportColumn\<kind>" with "Show_ii", "Order_ii" and "Width_ii"
// per column (ii: the column id, two digits).
//
// The order values are the report list's display order as it last stored it: entry k is the id
// of the column shown at position k; entries past the shown columns hold older values. A stored
// order is used only when it is a permutation of the shown columns (VisibleOrder); anything else
// (a hand-edited profile, a column shown since) falls back to the table order.
#pragma once
#include <cstdint>
#include <vector>

namespace vt {
class Profile;
}

class CReportColumnSet {
 public:
  // Reads the layout of listKind's columns; without a profile every column is shown, in table
  // order, 100 pixels wide (a width the profile lacks is 100 too, and marked to be fitted).
  CReportColumnSet(int listKind, vt::Profile* profile);
  // Writes the layout back to the profile.
  ~CReportColumnSet();
  CReportColumnSet(const CReportColumnSet&) = delete;
  CReportColumnSet& operator=(const CReportColumnSet&) = delete;

  int ListKind() const { return m_listKind; }
  int Count() const { return int(m_visible.size()); }
  // Writes the layout to the profile now.
  void Save() const;

  // The ids of the shown columns in display order: the stored order when its first entries are
  // exactly the shown columns, else the shown columns in table order.
  std::vector<int> VisibleOrder() const;

  std::vector<uint8_t> m_visible;
  std::vector<int> m_order;
  std::vector<int> m_width;
  // 1 for a column whose width the profile did not hold: the report list widens it to its caption
  // and texts at the first fill that has rows (the user's widths are never changed).
  std::vector<uint8_t> m_fitWidth;

 private:
  int m_listKind;
  vt::Profile* m_profile;
};
