// The report columns of one list kind in the profile (see CReportColumnSet.h).
#include "app/CReportColumnSet.h"

#include <cassert>
#include <cstdio>
#include <string>

#include "app/ListKinds.h"
#include "platform/gui/Profile.h"

namespace {

std::string Section(int listKind) {
  char text[32];
  std::snprintf(text, sizeof text, "ReportColumn\\%d", listKind);
  return text;
}

std::string Entry(const char* name, int column) {
  char text[32];
  std::snprintf(text, sizeof text, "%s_%02u", name, unsigned(column));
  return text;
}

constexpr int kDefaultWidth = 100;
// What the profile gives for a width it does not hold.
constexpr int kNoWidth = -1;

}  // namespace

CReportColumnSet::CReportColumnSet(int listKind, vt::Profile* profile)
    : m_listKind(listKind), m_profile(profile) {
  const vt::SListKindInfo* info = GetListKindInfo(listKind);
  assert(info);
  const int count = info ? info->columnCount : 0;
  const std::string section = Section(listKind);
  for (int i = 0; i < count; ++i) {
    m_visible.push_back(profile ? profile->GetInt(section, Entry("Show", i), 1) == 1 : 1);
    m_order.push_back(profile ? profile->GetInt(section, Entry("Order", i), i) : i);
    const int stored = profile ? profile->GetInt(section, Entry("Width", i), kNoWidth) : kNoWidth;
    m_width.push_back(stored == kNoWidth ? kDefaultWidth : stored);
    m_fitWidth.push_back(stored == kNoWidth ? 1 : 0);
  }
}

CReportColumnSet::~CReportColumnSet() { Save(); }

void CReportColumnSet::Save() const {
  if (!m_profile) return;
  const std::string section = Section(m_listKind);
  for (int i = 0; i < Count(); ++i) {
    m_profile->WriteInt(section, Entry("Show", i), m_visible[i] ? 1 : 0);
    m_profile->WriteInt(section, Entry("Order", i), m_order[i]);
    m_profile->WriteInt(section, Entry("Width", i), m_width[i]);
  }
}

std::vector<int> CReportColumnSet::VisibleOrder() const {
  std::vector<int> shown;
  for (int i = 0; i < Count(); ++i)
    if (m_visible[i]) shown.push_back(i);
  const size_t n = shown.size();
  // The first n stored values must name each shown column once.
  std::vector<uint8_t> seen(size_t(Count()), 0);
  for (size_t k = 0; k < n; ++k) {
    const int id = m_order[k];
    if (id < 0 || id >= Count() || !m_visible[size_t(id)] || seen[size_t(id)]) return shown;
    seen[size_t(id)] = 1;
  }
  return std::vector<int>(m_order.begin(), m_order.begin() + std::ptrdiff_t(n));
}
