#pragma once
// The host's numbered pointer shapes (the MousePointer property) as Qt cursor shapes.
#include <Qt>
#include <QtGlobal>

namespace scrivlet {

namespace MousePointer {
// 0 is the default pointer; unknown numbers give the arrow.
Qt::CursorShape shape(qint16 pointer);
} // namespace MousePointer

} // namespace scrivlet
