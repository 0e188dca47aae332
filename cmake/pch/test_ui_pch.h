// QtTest with the widgets: shared by every test program that opens a window.
#pragma once
#include "widgets_pch.h"
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
