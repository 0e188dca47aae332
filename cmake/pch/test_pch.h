// QtTest with the core's headers: shared by every test program that has no window.
#pragma once
#include "core_pch.h"
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
