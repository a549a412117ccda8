// CCopiablePropertyWnd: the Properties pane. It shows, in a read-only property grid, what the
// catalogue knows about the report list's focused row (a tag, an alarm, a display group, a
// message, a stored file or a batch of continuous data, with the files, texts and comments that
// belong to it), or the tag information of a graph window's selected channel. Every other change
// of the list document empties the grid. A property is copied as its name, its value or both.
#pragma once
#include <QWidget>
#include <memory>

class CListDoc;

namespace vt {
class PropertyGrid;
}

class CCopiablePropertyWnd : public QWidget {
 public:
  // Command of the copy menu (menu 349).
  static constexpr int kCommandCopy = 32983;
  static constexpr int kMenuCopy = 349;

  // Observes doc from construction to destruction.
  explicit CCopiablePropertyWnd(CListDoc* doc, QWidget* parent = nullptr);
  ~CCopiablePropertyWnd() override;

  // Copies the selected property; shows "Processing has failed." when the clipboard refuses.
  void CopyToClipboard();
  vt::PropertyGrid* Grid() const { return m_grid; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  class CListDocObserver;
  void Rebuild(int code);
  void BuildRow(int row);
  void BuildChannel();

  CListDoc* m_doc;
  vt::PropertyGrid* m_grid;
  std::unique_ptr<CListDocObserver> m_observer;
};
