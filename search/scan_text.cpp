#include "search/scan_text.h"

#include <immintrin.h>

#include <cstddef>
#include <cstring>

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

template <size_t W>
struct VectorOf {
    typedef char type __attribute__((vector_size(W)));
};
template <size_t W>
using Vector = typename VectorOf<W>::type;

unsigned high_bits(const Vector<16>& v) { return static_cast<unsigned>(_mm_movemask_epi8(reinterpret_cast<__m128i>(v))); }

__attribute__((target("avx2"))) unsigned high_bits(const Vector<32>& v) {
    return static_cast<unsigned>(_mm256_movemask_epi8(reinterpret_cast<__m256i>(v)));
}

// The candidate starts among W positions: one bit for each start at which
// both probe bytes match.
template <size_t W>
class Lanes {
public:
    static constexpr size_t width = W;
    explicit Lanes(const FoldedWord& word) : rare_(word.rare), other_(word.other) {
        std::memset(&rare_byte_, word.text[word.rare], W);
        std::memset(&rare_fold_, fold_bit(word.text[word.rare]), W);
        std::memset(&other_byte_, word.text[word.other], W);
        std::memset(&other_fold_, fold_bit(word.text[word.other]), W);
    }

    unsigned candidates(const char* p) const {
        Vector<W> rare;
        Vector<W> other;
        std::memcpy(&rare, p + rare_, W);
        std::memcpy(&other, p + other_, W);
        const Vector<W> both = ((rare | rare_fold_) == rare_byte_) & ((other | other_fold_) == other_byte_);
        return high_bits(both);
    }

private:
    size_t rare_, other_;
    Vector<W> rare_byte_, rare_fold_, other_byte_, other_fold_;
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
    return find_with(Lanes<32>(word), begin, end, word.text);
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
    return find_with(Lanes<16>(word), begin, end, word.text);
}

const char* find_folded(const char* begin, const char* end, const FoldedWord& word) {
    using Finder = const char* (*)(const char*, const char*, const FoldedWord&);
    static const Finder finder = __builtin_cpu_supports("avx2") ? find_avx2 : find_folded_sse2;
    return finder(begin, end, word);
}
