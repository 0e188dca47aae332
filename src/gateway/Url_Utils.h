#pragma once
#include <QByteArray>

// Query texts exchanged with the gateway are Windows-1252 byte strings, never QString:
// the gateway compares them byte for byte.

// Keeps ASCII letters and digits; every other byte becomes "%" and two upper-case hex digits.
QByteArray EncodeQueryValue(const QByteArray &value);

// Finds one field of a "name=value&name=value" text. Names run to the next "=" (an "&" does
// not end a name), values to the next "&"; the first name that equals `name` without regard to
// case wins. The value is decoded ("+" is a space, "%hh" a byte). Returns false and clears
// `out` when no field matches.
bool GetUrlParam(const QByteArray &text, const QByteArray &name, QByteArray &out);
