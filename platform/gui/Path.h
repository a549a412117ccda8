// A figure outline for translucent drawing: lines and elliptic arcs, figures open or closed.
//
// Used for rounded frames and gradient-filled boxes drawn with alpha. Angles are in degrees,
// clockwise from the x axis (screen y grows downwards), as the old graphics library counted.
#pragma once
#include <memory>

#include "platform/gui/Geometry.h"

namespace vt {

class Path {
 public:
  Path();
  Path(const Path& other);
  Path& operator=(const Path& other);
  ~Path();

  // Starts a new figure; the next line or arc does not join the previous one.
  void StartFigure() { startNew_ = true; }
  // Closes the current figure back to its first point.
  void CloseFigure();
  void AddLine(float x1, float y1, float x2, float y2);
  // The arc of the ellipse in the box (x, y, width, height) from startAngle over sweepAngle.
  void AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle);
  void AddRectangle(const Rect& r);
  bool IsEmpty() const;

  // The Qt outline; complete only in platform/gui/qt/QtPath.h.
  struct Native;
  const Native& NativePath() const { return *native_; }

 private:
  void JoinTo(double x, double y);
  std::unique_ptr<Native> native_;
  bool startNew_ = true;
};

}  // namespace vt
