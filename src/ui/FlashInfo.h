#pragma once
#include <QString>

// The flash notice: a small topmost window that never takes the focus and closes itself.
// A new notice replaces one still showing.
void ShowFlashInfo(const QString &title, const QString &text, int seconds);
void CloseFlashInfo();
bool FlashInfoVisible();
QString FlashInfoText();
