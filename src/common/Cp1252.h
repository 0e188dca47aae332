#pragma once
#include <QByteArray>
#include <QString>

// Texts exchanged with the gateway and the host program are Windows-1252 bytes, while local
// files are UTF-8. These two functions are the only place that knows the code page.

// Characters without a Windows-1252 byte become '?', one per character (a character outside
// the Basic Multilingual Plane gives a single '?', not two).
QByteArray toCp1252(const QString &text);

// The five bytes that Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the
// C1 control characters of the same number, as Windows converts them, so that every byte
// string survives a trip through QString and back unchanged.
QString fromCp1252(const QByteArray &bytes);
