// Code page 850: the single-byte character set of every text, glyph and file
// name inside the program. Conversions to and from Unicode live only here.
#pragma once
#include <string>
#include <string_view>

// The glyph that a console shows for a byte: the control bytes 1 to 31 and
// 127 have glyphs of their own (0x10 is the right-pointing triangle), the
// byte 0 shows as a blank and 0xFF as the no-break space.
char32_t cp850_to_unicode(unsigned char byte);

// The byte for a Unicode character, or -1 when code page 850 lacks it.
// Only printable characters are mapped (the control glyphs are for display).
int unicode_to_cp850(char32_t ch);

// File names between the system's UTF-8 and code page 850; a character that
// the target cannot hold becomes '?'.
std::string cp850_to_utf8(std::string_view text);
std::string utf8_to_cp850(std::string_view text);
