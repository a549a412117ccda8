// The model-side node of the gadget framework: one per document, under the root master,
// holding the roots of the document's views and print layouts as its children, so that a
// change of the model is announced to every window that shows it. Every broadcast goes from
// the last child to the first (the newest root first).
#pragma once
#include <string>

#include "gadget/GCore.h"

namespace vt {
class HostWindow;
}
class CGPrimitive;

namespace vt {
// The part of the application's document that the gadget document reaches.
class GadgetDocumentOwner {
 public:
  virtual ~GadgetDocumentOwner() = default;
  // Stores the path and title, and adds the path to the recently used files when asked.
  virtual void SetPathName(const std::string& path, bool addToRecentFiles) = 0;
  virtual std::string GetPathName() const = 0;
};
}  // namespace vt

class CGDocument : public CGCore {
 public:
  CGDocument(CGCore* rootMaster, vt::GadgetDocumentOwner* document);
  const SGClassInfo* GetClassInfo() const override;

  virtual void UpdateAllOfClassExcept(const SGClassInfo* cls, CGCore* except, int hint, void* data);
  virtual void UpdateAllOfClass(const SGClassInfo* cls, int hint, void* data);
  // Every root except those whose host window is window (the view that made the change).
  virtual void UpdateAllExceptWindow(vt::HostWindow* window, int hint, void* data);
  virtual void UpdateAllExcept(CGCore* except, int hint, void* data);
  virtual void UpdateAll(int hint, void* data);
  virtual void SetPathName(const char* path, bool addToRecentFiles);
  // The name part of the document's path, without folder and extension.
  virtual void GetFileTitle(std::string* out);

  vt::GadgetDocumentOwner* GetDocument() const { return m_document; }

 private:
  vt::GadgetDocumentOwner* m_document;
};
