#pragma once
#include <QString>

class QWidget;

// The flash notice: a small topmost window that never takes the focus and closes itself after
// the given number of seconds. A new notice replaces one still showing, with its own duration.
// An empty title shows the catalog word "Info".
void ShowFlashInfo(const QString &title, const QString &text, int seconds);
void CloseFlashInfo();
bool FlashInfoVisible();
// What the notice shows now ("\r" already turned into line breaks); empty when none shows.
QString FlashInfoText();
QString FlashInfoTitle();
// The notice's window while one shows, for placement checks; nullptr otherwise.
QWidget *FlashInfoWindow();
