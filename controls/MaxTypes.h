// The enumerations the widget family publishes as properties. The namespace carries their
// meta-object so that property editors can list the names; the using-directive below makes them
// read as plain family names.
#pragma once

#include <QObject>

namespace MaxTypes {
Q_NAMESPACE

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
Q_ENUM_NS(TBevelCut)

enum TBorderStyle { bsNone, bsSingle };
Q_ENUM_NS(TBorderStyle)

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
Q_ENUM_NS(TAlign)

enum TMouseButton { mbLeft, mbRight, mbMiddle };
Q_ENUM_NS(TMouseButton)

}  // namespace MaxTypes

using namespace MaxTypes;
