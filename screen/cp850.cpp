#include "screen/cp850.h"

#include <array>

namespace {

// Unicode for the bytes 0x00 to 0x7F that are not plain ASCII glyphs.
constexpr std::array<char32_t, 32> LOW_GLYPHS = {
    0x0020, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022,
    0x25D8, 0x25CB, 0x25D9, 0x2642, 0x2640, 0x266A, 0x266B, 0x263C,
    0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7, 0x25AC, 0x21A8,
    0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC,
};
constexpr char32_t DEL_GLYPH = 0x2302;

// Unicode for the bytes 0x80 to 0xFF.
constexpr std::array<char32_t, 128> HIGH_GLYPHS = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,
    0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0,
    0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4,
    0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE,
    0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4,
    0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0,
};

void append_utf8(std::string& out, char32_t ch) {
    if (ch < 0x80) {
        out += static_cast<char>(ch);
    } else if (ch < 0x800) {
        out += static_cast<char>(0xC0 | (ch >> 6));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        out += static_cast<char>(0xE0 | (ch >> 12));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (ch >> 18));
        out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    }
}

// Decodes one UTF-8 character at text[i], advancing i; a malformed sequence
// yields U+FFFD and consumes one byte.
char32_t next_utf8(std::string_view text, size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int extra = 0;
    char32_t ch = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        ch = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        ch = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        ch = lead & 0x07;
    } else {
        ++i;
        return 0xFFFD;
    }
    if (i + extra >= text.size()) {
        ++i;
        return 0xFFFD;
    }
    for (int k = 1; k <= extra; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        ch = (ch << 6) | (next & 0x3F);
    }
    i += extra + 1;
    return ch;
}

} // namespace

char32_t cp850_to_unicode(unsigned char byte) {
    if (byte < 0x20) return LOW_GLYPHS[byte];
    if (byte == 0x7F) return DEL_GLYPH;
    if (byte < 0x80) return byte;
    return HIGH_GLYPHS[byte - 0x80];
}

int unicode_to_cp850(char32_t ch) {
    if (ch >= 0x20 && ch < 0x7F) return static_cast<int>(ch);
    for (size_t i = 0; i < HIGH_GLYPHS.size(); ++i) {
        if (HIGH_GLYPHS[i] == ch) return static_cast<int>(0x80 + i);
    }
    return -1;
}

std::string cp850_to_utf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        // Control bytes in names stay control bytes; only display uses glyphs.
        append_utf8(out, byte < 0x80 ? byte : HIGH_GLYPHS[byte - 0x80]);
    }
    return out;
}

std::string utf8_to_cp850(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const char32_t ch = next_utf8(text, i);
        if (ch < 0x80) {
            out += static_cast<char>(ch);
            continue;
        }
        const int byte = unicode_to_cp850(ch);
        out += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return out;
}
