#include "search/matched_text.h"

#include <sys/mman.h>

#include <algorithm>
#include <new>

#include "search/scan_text.h"

namespace {

constexpr size_t PIECE = 1 << 20;
constexpr size_t PAGE = 4096;
// Standard pieces kept, empty, for the next archive: most archives' matched
// lines fit in them, and their memory is ready.
constexpr size_t KEPT = 4;

char* map_piece(size_t size) {
    void* bytes = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (bytes == MAP_FAILED) throw std::bad_alloc();
    return static_cast<char*>(bytes);
}

} // namespace

MatchedText::~MatchedText() {
    for (const Piece& piece : pieces_) munmap(piece.bytes, piece.size);
}

MatchedText::Piece& MatchedText::room_for(size_t size) {
    for (; current_ < pieces_.size(); ++current_) {
        Piece& piece = pieces_[current_];
        if (piece.size - piece.used >= size) return piece;
    }
    const size_t piece_size = std::max(PIECE, (size + PAGE - 1) / PAGE * PAGE);   // a line longer than a piece
    pieces_.push_back(Piece{map_piece(piece_size), piece_size, 0});
    return pieces_.back();
}

void MatchedText::add_line(const char* begin, const char* end) {
    const auto length = static_cast<size_t>(end - begin);
    Piece& piece = room_for(length + 1);
    char* out = piece.bytes + piece.used;
    for (size_t i = 0; i < length; ++i) out[i] = static_cast<char>(fold_byte(static_cast<unsigned char>(begin[i])));
    out[length] = ':';
    piece.used += length + 1;
    total_ += length + 1;
}

void MatchedText::move_into(std::string& text) {
    text.clear();
    text.reserve(total_);
    std::vector<Piece> kept;
    for (Piece& piece : pieces_) {
        text.append(piece.bytes, piece.used);
        if (piece.size == PIECE && kept.size() < KEPT) {
            kept.push_back(Piece{piece.bytes, piece.size, 0});
        } else {
            munmap(piece.bytes, piece.size);
        }
    }
    pieces_ = std::move(kept);
    current_ = 0;
    total_ = 0;
}
