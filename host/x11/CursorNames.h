#pragma once
#include <QByteArrayView>

namespace qhost::x11 {

// The console's cursor number for an X cursor named by its theme name (the names of the core
// cursor font, the CSS names and the hashes toolkits load); CursorNumber::Default when unknown.
int CursorNumberForName(QByteArrayView name);

} // namespace qhost::x11
