// The graph document's side of the trend conversion: preparing and keeping the options, and
// owning the conversion's worker (see TrendConversion.h for the writing).
#include <algorithm>
#include <cstring>
#include <vector>

#include "document/CGVantrelDoc.h"
#include "formshift/CFileConverter.h"
#include "platform/base/FileSystem.h"

SDataConvertOption CGVantrelDoc::PrepareConvertOption(bool text) {
  SDataConvertOption o;
  std::string folder;
  if (vt::GraphWindowHost* host = vt::GetGraphWindowHost()) folder = host->GetConversionFolder();
  if (!folder.empty() && !vt::FolderExists(folder)) vt::CreateFolder(folder);
  o.groupFrom = o.groupTo = m_currentGroup;
  o.cellWithoutValue = m_sheetPadding ? 0 : 1;
  std::string name = m_graphName.substr(0, 259);
  if (!name.empty()) {
    std::vector<char> clean(name.size() + 1);
    if (CFileConverter::ReplaceUnusableCharOnFileName(name.c_str(), clean.data())) name = clean.data();
  }
  o.outputPath = (folder.empty() ? std::string() : folder + "/") + name + (text ? ".txt" : ".xls");
  o.format = text ? 1 : 0;
  if (HasCursor()) {
    o.startTime = std::min(m_cursorA, m_cursorB);
    o.stopTime = std::max(m_cursorA, m_cursorB);
  } else if (const CGVantrelGroupData* g = GetCurrentGroup()) {
    o.startTime = g->GetDataBegin();
    o.stopTime = g->GetDataEnd();
  }
  return o;
}

void CGVantrelDoc::SetConvertOption(const SDataConvertOption& option) {
  m_convertOption = option;
  if (m_convertOption.groupTo < m_convertOption.groupFrom)
    std::swap(m_convertOption.groupFrom, m_convertOption.groupTo);
  m_convertOption.groupFrom = std::max(m_convertOption.groupFrom, 0);
  m_convertOption.groupTo = std::min(m_convertOption.groupTo, GROUP_COUNT - 1);
}

bool CGVantrelDoc::IsLongConversion() const {
  for (int g = m_convertOption.groupFrom; g <= m_convertOption.groupTo; ++g)
    if (const CGVantrelGroupData* group = GetGroup(g);
        group && group->GetChannelCount() && IsLongRange(group))
      return true;
  return false;
}

void CGVantrelDoc::StartConversion(std::function<void(int)> ended) {
  WaitForConvertThread();
  m_conversion = std::make_unique<vt::TrendConversion>(*this, m_convertOption);
  m_converting = true;
  m_conversion->Start(std::move(ended));
}

void CGVantrelDoc::CancelConversion(void* document) {
  auto* doc = static_cast<CGVantrelDoc*>(document);
  if (doc && doc->m_conversion) doc->m_conversion->Cancel();
}

void CGVantrelDoc::WaitForConvertThread() {
  if (!m_conversion) return;
  m_conversion->Join();
  // The worker's clones and copies go on this thread, after the join.
  m_conversion.reset();
  m_converting = false;
}
