// Document, View and ViewFrame: the document/view shape of the program's child windows. A
// document holds the data; each view shows it in one frame and draws on the frame's host window.
// A document lives from its first view to its last: closing the last view asks SaveModified
// (which may keep the window open), then, in this order, the document's own work ends
// (OnCloseDocument), the view goes (and with it its root), the frame, and last the document.
// User-interface thread only.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gui/CommandTarget.h"
#include "platform/gui/HostClient.h"
#include "platform/gui/WindowPlacement.h"

namespace vt {

class DocTemplate;
class Document;
class HostWindow;

// The frame around one view, as the view sees it (the window side implements it).
class ViewFrame {
 public:
  virtual ~ViewFrame() = default;
  virtual HostWindow* Host() = 0;
  virtual void SetTitle(const std::string& utf8) = 0;
  virtual WindowPlacement GetPlacement() const = 0;
  virtual void SetPlacement(const WindowPlacement& placement) = 0;
  // Restores the frame when it is minimised and makes it the active child.
  virtual void RestoreAndActivate() = 0;
  // Closes the frame as the user would; false when the document kept it open.
  virtual bool Close() = 0;
};

class View : public HostClient, public CommandTarget {
 public:
  View() = default;
  ~View() override;
  View(const View&) = delete;
  View& operator=(const View&) = delete;

  Document* GetDocument() const { return document_; }
  ViewFrame* GetFrame() const { return frame_; }
  HostWindow* GetHostWindow() const { return frame_ ? frame_->Host() : nullptr; }
  // Joins the document (once) and the frame that hosts the view.
  void Attach(Document* document, ViewFrame* frame);

  // After the frame is shown: the view makes its content.
  virtual void OnInitialUpdate() {}
  virtual void OnActivateView(bool activate) { (void)activate; }

 private:
  Document* document_ = nullptr;
  ViewFrame* frame_ = nullptr;
};

class Document : public CommandTarget {
 public:
  Document() = default;
  ~Document() override;
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  const std::vector<View*>& GetViews() const { return views_; }
  DocTemplate* GetDocTemplate() const { return template_; }
  const std::string& GetTitle() const { return title_; }
  virtual void SetTitle(const std::string& title);
  virtual bool IsModified() const { return modified_; }
  virtual void SetModifiedFlag(bool modified) { modified_ = modified; }

  virtual bool OnNewDocument() { return true; }
  // Asked before the last view closes; false keeps the window open.
  virtual bool SaveModified() { return true; }
  // The last view is about to go: work of the document (a worker thread) ends here, before any
  // view or frame is deleted.
  virtual void OnCloseDocument() {}

  // Closes view: false when the document kept it open. destroyFrame deletes the frame once the
  // view is gone; the document itself goes after the frame when this was its last view.
  static bool CloseView(std::unique_ptr<View>& view, const std::function<void()>& destroyFrame);

 private:
  friend class View;
  friend class DocTemplate;
  void AddView(View* view);
  void RemoveView(View* view);

  std::vector<View*> views_;
  DocTemplate* template_ = nullptr;
  std::string title_;
  bool modified_ = false;
};

// Makes the frames of views (the window side implements it for its MDI area).
class FrameMaker {
 public:
  virtual ~FrameMaker() = default;
  // A shown frame owning view, titled title; null when none could be made (the view is gone).
  virtual ViewFrame* MakeFrame(std::unique_ptr<View> view, const std::string& title) = 0;
};

// Makes documents of one class and views of one class, and owns the documents it made.
class DocTemplate {
 public:
  using DocumentFactory = std::function<std::unique_ptr<Document>()>;
  using ViewFactory = std::function<std::unique_ptr<View>()>;
  // New documents are titled titleBase + " " + a number counting up from 1.
  DocTemplate(std::string titleBase, DocumentFactory makeDocument, ViewFactory makeView);
  ~DocTemplate();
  DocTemplate(const DocTemplate&) = delete;
  DocTemplate& operator=(const DocTemplate&) = delete;

  void SetFrameMaker(FrameMaker* maker) { frameMaker_ = maker; }
  // A new document with its first frame; null when the document refused or no frame was made.
  Document* OpenNewDocument();
  // Another frame with this template's view on document (made by any template); the new view,
  // or null.
  View* CreateFrame(Document* document);
  std::vector<Document*> GetDocuments() const;
  // Deletes a document this template made (its last view has gone).
  void ReleaseDocument(Document* document);

 private:
  std::string titleBase_;
  DocumentFactory makeDocument_;
  ViewFactory makeView_;
  FrameMaker* frameMaker_ = nullptr;
  int untitledCount_ = 0;
  std::vector<std::unique_ptr<Document>> documents_;
};

}  // namespace vt
