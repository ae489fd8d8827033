// The inner loop of the search: finding a lower-case word in a block of
// archive text without regard to the case of A to Z.
#pragma once
#include <string_view>

// The first position in [begin, end) where the word stands, comparing the
// text's letters A to Z as lower case; null when it does not. The word is
// already lower-cased and not empty.
const char* find_folded(const char* begin, const char* end, std::string_view word);

inline unsigned char fold_byte(unsigned char byte) {
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte + 32) : byte;
}
