#pragma once
#include <QtCore/qnamespace.h>

// The cursor shape for a cursor number of the host ("SCur"): the numbers are the standard
// cursor identifiers of the host's toolkit (0 default, -1 none, -2 arrow, ... -22 size all).
// Unknown numbers give the default arrow.
Qt::CursorShape CursorShapeForNumber(int number);
