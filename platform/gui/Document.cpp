// Document, View and DocTemplate: views joining and leaving documents, the closing order of the
// last view, and templates making documents with their first frame.
#include "platform/gui/Document.h"

#include <algorithm>
#include <cassert>

namespace vt {

View::~View() {
  if (document_) document_->RemoveView(this);
}

void View::Attach(Document* document, ViewFrame* frame) {
  assert(!document_ || document_ == document);
  if (!document_ && document) document->AddView(this);
  document_ = document;
  frame_ = frame;
}

Document::~Document() {
  // Views outliving their document would point at freed memory.
  assert(views_.empty());
}

void Document::SetTitle(const std::string& title) {
  title_ = title;
  for (View* v : views_)
    if (v->GetFrame()) v->GetFrame()->SetTitle(title);
}

void Document::AddView(View* view) { views_.push_back(view); }

void Document::RemoveView(View* view) {
  views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end());
}

bool Document::CloseView(std::unique_ptr<View>& view, const std::function<void()>& destroyFrame) {
  Document* doc = view ? view->GetDocument() : nullptr;
  const bool last = doc && doc->GetViews().size() == 1;
  if (last && !doc->SaveModified()) return false;
  if (last) doc->OnCloseDocument();
  view.reset();
  if (destroyFrame) destroyFrame();
  if (last) {
    if (DocTemplate* t = doc->GetDocTemplate()) t->ReleaseDocument(doc);
  }
  return true;
}

DocTemplate::DocTemplate(std::string titleBase, DocumentFactory makeDocument, ViewFactory makeView)
    : titleBase_(std::move(titleBase)),
      makeDocument_(std::move(makeDocument)),
      makeView_(std::move(makeView)) {}

DocTemplate::~DocTemplate() {
  // Frames still open at exit close their views before the templates go; what is left here has
  // no view.
  for (auto& d : documents_) d->views_.clear();
}

Document* DocTemplate::OpenNewDocument() {
  std::unique_ptr<Document> doc = makeDocument_ ? makeDocument_() : nullptr;
  if (!doc || !doc->OnNewDocument()) return nullptr;
  doc->template_ = this;
  doc->title_ = titleBase_ + " " + std::to_string(++untitledCount_);
  Document* d = doc.get();
  documents_.push_back(std::move(doc));
  if (!CreateFrame(d)) {
    ReleaseDocument(d);
    return nullptr;
  }
  return d;
}

View* DocTemplate::CreateFrame(Document* document) {
  if (!document || !frameMaker_ || !makeView_) return nullptr;
  std::unique_ptr<View> view = makeView_();
  if (!view) return nullptr;
  View* v = view.get();
  v->Attach(document, nullptr);
  ViewFrame* frame = frameMaker_->MakeFrame(std::move(view), document->GetTitle());
  if (!frame) return nullptr;
  v->Attach(document, frame);
  v->OnInitialUpdate();
  return v;
}

std::vector<Document*> DocTemplate::GetDocuments() const {
  std::vector<Document*> out;
  for (const auto& d : documents_) out.push_back(d.get());
  return out;
}

void DocTemplate::ReleaseDocument(Document* document) {
  auto it =
      std::find_if(documents_.begin(), documents_.end(), [&](const auto& d) { return d.get() == document; });
  if (it != documents_.end()) documents_.erase(it);
}

}  // namespace vt
