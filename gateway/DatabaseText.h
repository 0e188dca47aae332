#pragma once
#include <string>

namespace gatewayd {

// PostgreSQL's text refuses NUL and bytes that are not UTF-8, and host names, reports and user
// codes come from outside as any bytes (the console's are Windows-1252). Valid UTF-8 without
// NUL passes unchanged; anything else is read as Latin-1 and each NUL becomes "?", so that
// nothing is refused or lost silently.
std::string databaseText(const std::string &in);

} // namespace gatewayd
