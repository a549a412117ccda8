// The Qt cursor behind a cursor id, for the host widget and the in-place controls.
#pragma once
#include <QCursor>

#include "platform/gui/Cursors.h"

namespace vt {

// The Qt cursor for an id; an unknown id gives the arrow.
QCursor QtCursorFor(CursorId id);

}  // namespace vt
