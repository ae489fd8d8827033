// The inner loop of the search: finding a lower-case word in a block of
// archive text without regard to the case of A to Z.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

inline unsigned char fold_byte(unsigned char byte) {
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte + 32) : byte;
}

// A lower-cased, non-empty word made ready for searching: the offsets of the
// two of its bytes that are rarest in tree listings (the same offset twice
// for a word of one byte). Only the starts where both of them match are
// compared in full.
struct FoldedWord {
    std::string text;
    size_t rare = 0;
    size_t other = 0;
};

FoldedWord fold_word(std::string_view lower_word);

// The first position in [begin, end) where the word stands, comparing the
// text's letters A to Z as lower case; null when it does not.
const char* find_folded(const char* begin, const char* end, const FoldedWord& word);
// The same with SSE2 alone, which find_folded uses where AVX2 is missing.
const char* find_folded_sse2(const char* begin, const char* end, const FoldedWord& word);
