// Event callables of the widget family, with the sender first, and the key and button state they
// carry.
#pragma once

#include <QChar>
#include <QObject>
#include <functional>

#include "controls/MaxTypes.h"

// Key state and buttons held during an event.
using TShiftState = unsigned;
constexpr TShiftState ssShift = 1u << 0;
constexpr TShiftState ssAlt = 1u << 1;
constexpr TShiftState ssCtrl = 1u << 2;
constexpr TShiftState ssLeft = 1u << 3;
constexpr TShiftState ssRight = 1u << 4;
constexpr TShiftState ssMiddle = 1u << 5;
constexpr TShiftState ssDouble = 1u << 6;

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = Qt::NoButton);
// False for buttons the family does not report (back, forward...).
bool MouseButtonOf(Qt::MouseButton button, TMouseButton& out);

using TNotifyEvent = std::function<void(QObject* sender)>;
using TMouseEvent =
    std::function<void(QObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(QObject* sender, TShiftState shift, int x, int y)>;
// key is a Qt::Key value; a handler may change it, 0 swallows the key.
using TKeyEvent = std::function<void(QObject* sender, int& key, TShiftState shift)>;
// key is the typed character; a handler may change it, QChar() swallows it.
using TKeyPressEvent = std::function<void(QObject* sender, QChar& key)>;
