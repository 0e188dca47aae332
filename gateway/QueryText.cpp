#include "QueryText.h"

#include <charconv>

namespace gatewayd {
namespace {
// The byte of "%XX" at `text[i]`, or -1 when the two characters are not hexadecimal digits.
int escapedByte(std::string_view text, size_t i) {
    if (i + 2 >= text.size() || text[i + 1] == '-' || text[i + 1] == '+')
        return -1;
    unsigned value = 0;
    const char *first = text.data() + i + 1;
    const auto [end, ec] = std::from_chars(first, first + 2, value, 16);
    return ec == std::errc() && end == first + 2 ? int(value) : -1;
}

std::string decode(std::string_view text, bool plusIsBlank) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '+' && plusIsBlank) {
            out += ' ';
        } else if (const int byte = c == '%' ? escapedByte(text, i) : -1; byte >= 0) {
            out += static_cast<char>(byte);
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

bool sameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}
} // namespace

bool queryParam(std::string_view query, std::string_view name, std::string &value) {
    value.clear();
    size_t pos = 0;
    while (pos <= query.size()) {
        size_t amp = query.find('&', pos);
        if (amp == std::string_view::npos)
            amp = query.size();
        const std::string_view field = query.substr(pos, amp - pos);
        const size_t eq = field.find('=');
        const std::string_view fieldName = field.substr(0, eq);
        if (!field.empty() && sameNameIgnoringCase(fieldName, name)) {
            value =
                eq == std::string_view::npos ? std::string() : decode(field.substr(eq + 1), true);
            return true;
        }
        pos = amp + 1;
    }
    return false;
}

std::string queryParam(std::string_view query, std::string_view name) {
    std::string value;
    queryParam(query, name, value);
    return value;
}

std::string encodeQueryValue(std::string_view value) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(value.size() * 3);
    for (const char ch : value) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
            out += ch;
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0x0f];
        }
    }
    return out;
}

std::string percentDecode(std::string_view text) {
    return decode(text, false);
}

} // namespace gatewayd
