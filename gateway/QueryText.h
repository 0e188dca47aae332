#pragma once
#include <string>
#include <string_view>

// The console's query texts ("name=value&..."), read and written as the console does: names
// compared without regard to case, "+" and "%XX" decoded, every byte but ASCII letters and
// digits encoded.
namespace gatewayd {

// The decoded value of the first field called `name`; false when there is none.
bool queryParam(std::string_view query, std::string_view name, std::string &value);
std::string queryParam(std::string_view query, std::string_view name);
std::string encodeQueryValue(std::string_view value);
// "%XX" decoded, nothing else ("+" stays): the form of a name in a request path.
std::string percentDecode(std::string_view text);

} // namespace gatewayd
