#include "QueryText.h"

namespace gatewayd {
namespace {
int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string decode(std::string_view text, bool plusIsBlank) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '+' && plusIsBlank) {
            out += ' ';
        } else if (c == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
                   hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
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
