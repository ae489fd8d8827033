#include "search/scan_text.h"

#include <immintrin.h>

#include <cstddef>

namespace {

// Bytes of tree listings from the most common on; a byte that is not here
// is rarer than all of them.
constexpr std::string_view COMMON_FIRST = " |\r\n-eaoi.nrtslcdmup0123456789g_fbvhkwyjxz+q\\()";

size_t rarity(unsigned char byte) {
    const size_t at = COMMON_FIRST.find(static_cast<char>(byte));
    return at == std::string_view::npos ? COMMON_FIRST.size() : at;
}

// The rarest offset of the word, other than `skip`.
size_t rarest_offset(std::string_view word, size_t skip) {
    size_t best = skip == 0 && word.size() > 1 ? 1 : 0;
    for (size_t i = 0; i < word.size(); ++i) {
        if (i != skip && rarity(static_cast<unsigned char>(word[i])) > rarity(static_cast<unsigned char>(word[best]))) best = i;
    }
    return best;
}

bool equal_folded(const char* text, std::string_view word) {
    for (size_t i = 0; i < word.size(); ++i) {
        if (fold_byte(static_cast<unsigned char>(text[i])) != static_cast<unsigned char>(word[i])) return false;
    }
    return true;
}

// A probe byte matches where (text | fold) == byte: a letter in either case,
// any other byte exactly.
char fold_bit(char byte) { return byte >= 'a' && byte <= 'z' ? 0x20 : 0; }

// The candidate starts among 16 positions, with SSE2.
class Sse2Lanes {
public:
    static constexpr size_t width = 16;
    explicit Sse2Lanes(const FoldedWord& word)
        : rare_(word.rare), other_(word.other),
          rare_byte_(_mm_set1_epi8(word.text[word.rare])), rare_fold_(_mm_set1_epi8(fold_bit(word.text[word.rare]))),
          other_byte_(_mm_set1_epi8(word.text[word.other])),
          other_fold_(_mm_set1_epi8(fold_bit(word.text[word.other]))) {}

    unsigned candidates(const char* p) const {
        const __m128i rare = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + rare_));
        const __m128i other = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + other_));
        const __m128i both = _mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(rare, rare_fold_), rare_byte_),
                                           _mm_cmpeq_epi8(_mm_or_si128(other, other_fold_), other_byte_));
        return static_cast<unsigned>(_mm_movemask_epi8(both));
    }

private:
    size_t rare_, other_;
    __m128i rare_byte_, rare_fold_, other_byte_, other_fold_;
};

// The same among 32 positions, with AVX2.
class Avx2Lanes {
public:
    static constexpr size_t width = 32;
    __attribute__((target("avx2"))) explicit Avx2Lanes(const FoldedWord& word)
        : rare_(word.rare), other_(word.other),
          rare_byte_(_mm256_set1_epi8(word.text[word.rare])),
          rare_fold_(_mm256_set1_epi8(fold_bit(word.text[word.rare]))),
          other_byte_(_mm256_set1_epi8(word.text[word.other])),
          other_fold_(_mm256_set1_epi8(fold_bit(word.text[word.other]))) {}

    __attribute__((target("avx2"))) unsigned candidates(const char* p) const {
        const __m256i rare = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + rare_));
        const __m256i other = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + other_));
        const __m256i both = _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_or_si256(rare, rare_fold_), rare_byte_),
                                              _mm256_cmpeq_epi8(_mm256_or_si256(other, other_fold_), other_byte_));
        return static_cast<unsigned>(_mm256_movemask_epi8(both));
    }

private:
    size_t rare_, other_;
    __m256i rare_byte_, rare_fold_, other_byte_, other_fold_;
};

// Every vector's loads stay inside [begin, end): the probes lie at most
// k - 1 bytes behind a start. The last starts are tried one by one.
template <class Lanes>
const char* find_with(const Lanes& lanes, const char* begin, const char* end, std::string_view word) {
    const auto k = static_cast<std::ptrdiff_t>(word.size());
    const char* p = begin;
    for (; end - p >= k - 1 + static_cast<std::ptrdiff_t>(Lanes::width); p += Lanes::width) {
        for (unsigned mask = lanes.candidates(p); mask != 0; mask &= mask - 1) {
            const char* start = p + __builtin_ctz(mask);
            if (equal_folded(start, word)) return start;
        }
    }
    for (; end - p >= k; ++p) {
        if (equal_folded(p, word)) return p;
    }
    return nullptr;
}

__attribute__((target("avx2"), flatten)) const char* find_avx2(const char* begin, const char* end,
                                                                const FoldedWord& word) {
    return find_with(Avx2Lanes(word), begin, end, word.text);
}

} // namespace

FoldedWord fold_word(std::string_view lower_word) {
    FoldedWord word;
    word.text = lower_word;
    word.rare = rarest_offset(lower_word, lower_word.size());
    word.other = lower_word.size() > 1 ? rarest_offset(lower_word, word.rare) : word.rare;
    return word;
}

const char* find_folded_sse2(const char* begin, const char* end, const FoldedWord& word) {
    return find_with(Sse2Lanes(word), begin, end, word.text);
}

const char* find_folded(const char* begin, const char* end, const FoldedWord& word) {
    using Finder = const char* (*)(const char*, const char*, const FoldedWord&);
    static const Finder finder = __builtin_cpu_supports("avx2") ? find_avx2 : find_folded_sse2;
    return finder(begin, end, word);
}
