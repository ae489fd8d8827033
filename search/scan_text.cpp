#include "search/scan_text.h"

#include <emmintrin.h>

#include <cstddef>

namespace {

unsigned char upper_byte(unsigned char byte) {
    return byte >= 'a' && byte <= 'z' ? static_cast<unsigned char>(byte - 32) : byte;
}

bool equal_folded(const char* text, const char* word, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        if (fold_byte(static_cast<unsigned char>(text[i])) != static_cast<unsigned char>(word[i])) return false;
    }
    return true;
}

} // namespace

// Sixteen candidate starts at a time: a start is kept when both the word's
// first and last bytes match there (in either case), and only those are
// compared in full.
const char* find_folded(const char* begin, const char* end, std::string_view word) {
    const size_t k = word.size();
    if (k == 0 || end - begin < static_cast<std::ptrdiff_t>(k)) return nullptr;
    const auto first = static_cast<unsigned char>(word.front());
    const auto last = static_cast<unsigned char>(word.back());
    const __m128i first_lo = _mm_set1_epi8(static_cast<char>(first));
    const __m128i first_up = _mm_set1_epi8(static_cast<char>(upper_byte(first)));
    const __m128i last_lo = _mm_set1_epi8(static_cast<char>(last));
    const __m128i last_up = _mm_set1_epi8(static_cast<char>(upper_byte(last)));
    const size_t middle = k > 2 ? k - 2 : 0;
    const char* const last_start = end - k;
    const char* p = begin;
    for (; p + 15 <= last_start; p += 16) {
        const __m128i head = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i tail = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + k - 1));
        const __m128i hits = _mm_and_si128(
            _mm_or_si128(_mm_cmpeq_epi8(head, first_lo), _mm_cmpeq_epi8(head, first_up)),
            _mm_or_si128(_mm_cmpeq_epi8(tail, last_lo), _mm_cmpeq_epi8(tail, last_up)));
        for (unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hits)); mask != 0; mask &= mask - 1) {
            const char* start = p + __builtin_ctz(mask);
            if (equal_folded(start + 1, word.data() + 1, middle)) return start;
        }
    }
    for (; p <= last_start; ++p) {
        if (equal_folded(p, word.data(), k)) return p;
    }
    return nullptr;
}
