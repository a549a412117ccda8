// The Qt side of a Path: the QPainterPath it builds. For vtgui's own sources and tests.
#pragma once
#include <QPainterPath>

#include "platform/gui/Path.h"

namespace vt {

struct Path::Native {
  QPainterPath path;
};

inline const QPainterPath& QtPathOf(const Path& path) { return path.NativePath().path; }

}  // namespace vt
