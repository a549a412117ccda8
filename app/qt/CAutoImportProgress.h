// The automatic-import indicator in the status bar: a green bar that runs from left to right
// over and over, with "Importing automatically" written across it, visible while an automatic
// import runs. Drawn by hand, so that its look does not depend on the style.
#pragma once
#include <QTimer>
#include <QWidget>

class CAutoImportProgress : public QWidget {
 public:
  static constexpr int kRange = 20;   // steps of one pass
  static constexpr int kStepMs = 20;  // one step each tick
  static constexpr QRgb kBarColor = 0xFF57C026;
  static constexpr QRgb kTextColor = 0xFF8080FF;
  static constexpr int kTextId = 940;

  explicit CAutoImportProgress(QWidget* parent);

  // Shows the indicator and (re)starts its animation from where it stands.
  void ShowIndicator();
  // Hides it and stops the animation.
  void HideIndicator();
  int Position() const { return position_; }
  bool IsAnimating() const { return timer_.isActive(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Step();

  QTimer timer_;
  int position_ = 0;
};
