// A docking pane of the main window: a QDockWidget that hosts exactly one content window.
//
// Panes move and float but cannot be closed; they dock at any side. The content sits on a
// white background with a one-pixel margin, and the pane owns it: a new content replaces (and
// deletes) the previous one. The icon shows while the pane floats.
#pragma once
#include <QDockWidget>
#include <QPointer>

namespace vt {

class DockPane : public QDockWidget {
  Q_OBJECT

 public:
  // The sides a pane starts at (the old alignment style bits); anything else is refused.
  static constexpr int kSideLeft = 0x1000;
  static constexpr int kSideTop = 0x2000;
  static constexpr int kSideRight = 0x4000;
  static constexpr int kSideBottom = 0x8000;
  static constexpr int kMargin = 1;

  DockPane();
  ~DockPane() override;

  // Replaces the content (null leaves the pane empty); the pane owns it from now on.
  void SetContent(QWidget* content);
  QWidget* Content() const { return content_; }

  // Titles the pane, names it "pane.<controlId>" (the name also keys it in the saved workspace),
  // gives it the icon of bitmap iconId (when registered) and docks it into frame at side. False,
  // and nothing docked, for a side that is not one of the four.
  bool Create(const QString& caption, QMainWindow* frame, int controlId, int iconId, int side);

 private:
  QWidget* holder_;
  QPointer<QWidget> content_;
};

}  // namespace vt
