// The gadget document (see GDocument.h).
#include "gadget/GDocument.h"

#include "gadget/GPrimitive.h"
#include "platform/base/Paths.h"

CGDocument::CGDocument(CGCore* rootMaster, vt::GadgetDocumentOwner* document)
    : CGCore(0, rootMaster), m_document(document) {}

const SGClassInfo* CGDocument::GetClassInfo() const { return GCLASS(CGDocument); }

void CGDocument::UpdateAllOfClassExcept(const SGClassInfo* cls, CGCore* except, int hint, void* data) {
  for (CGCore* c = GetLastChild(); c; c = PrevChild(c))
    if (c != except && IsKindOfClass(c, cls) && IsPrimitive(c))
      static_cast<CGPrimitive*>(c)->OnUpdate(hint, data);
}

void CGDocument::UpdateAllOfClass(const SGClassInfo* cls, int hint, void* data) {
  UpdateAllOfClassExcept(cls, nullptr, hint, data);
}

void CGDocument::UpdateAllExceptWindow(vt::HostWindow* window, int hint, void* data) {
  for (CGCore* c = GetLastChild(); c; c = PrevChild(c))
    if (IsPrimitive(c) && static_cast<CGPrimitive*>(c)->GetHostWindow() != window)
      static_cast<CGPrimitive*>(c)->OnUpdate(hint, data);
}

void CGDocument::UpdateAllExcept(CGCore* except, int hint, void* data) {
  for (CGCore* c = GetLastChild(); c; c = PrevChild(c))
    if (c != except && IsPrimitive(c)) static_cast<CGPrimitive*>(c)->OnUpdate(hint, data);
}

void CGDocument::UpdateAll(int hint, void* data) { UpdateAllExcept(nullptr, hint, data); }

void CGDocument::SetPathName(const char* path, bool addToRecentFiles) {
  if (m_document) m_document->SetPathName(path ? path : "", addToRecentFiles);
}

void CGDocument::GetFileTitle(std::string* out) {
  if (!m_document) return;
  const std::string path = m_document->GetPathName();
  if (path.empty()) return;
  std::string_view name = vt::FileNamePart(path);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string_view::npos) name = name.substr(0, dot);
  *out = std::string(name);
}
