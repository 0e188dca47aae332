#include "DatabaseText.h"

#include <cstdint>

namespace gatewayd {

std::string databaseText(const std::string &in) {
    bool valid = true;
    for (size_t i = 0; i < in.size() && valid;) {
        const auto c = uint8_t(in[i]);
        const size_t n = c < 0x80   ? 1
                         : c < 0xC2 ? 0
                         : c < 0xE0 ? 2
                         : c < 0xF0 ? 3
                         : c < 0xF5 ? 4
                                    : 0;
        valid = c != 0 && n != 0 && i + n <= in.size();
        for (size_t k = 1; valid && k < n; ++k)
            valid = (uint8_t(in[i + k]) & 0xC0) == 0x80;
        if (valid && n > 2) {
            // Overlong forms, UTF-16 surrogates and code points beyond U+10FFFF.
            const auto d = uint8_t(in[i + 1]);
            valid = !(c == 0xE0 && d < 0xA0) && !(c == 0xED && d > 0x9F) &&
                    !(c == 0xF0 && d < 0x90) && !(c == 0xF4 && d > 0x8F);
        }
        i += n ? n : 1;
    }
    if (valid)
        return in;
    std::string out;
    for (char ch : in) {
        const auto c = uint8_t(ch);
        if (c == 0)
            out += '?';
        else if (c < 0x80)
            out += ch;
        else {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

} // namespace gatewayd
