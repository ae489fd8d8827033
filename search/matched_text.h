// The matched lines of the archive being scanned, gathered in pieces of
// their own memory, then laid out once, at their final size, in rigatree. A
// text grown in place would be copied each time it outgrew its room and,
// for a large archive, held twice at that moment; pieces are given back to
// the system as they are copied, so the peak stays near the text's size.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

class MatchedText {
public:
    MatchedText() = default;
    ~MatchedText();
    MatchedText(const MatchedText&) = delete;
    MatchedText& operator=(const MatchedText&) = delete;

    // Appends the line [begin, end) with A to Z lower-cased, then ':'.
    void add_line(const char* begin, const char* end);
    // Replaces the text with everything added, and starts empty again.
    void move_into(std::string& text);

private:
    struct Piece {
        char* bytes;
        size_t size;
        size_t used;
    };
    Piece& room_for(size_t size);

    std::vector<Piece> pieces_;
    size_t current_ = 0;   // the piece that is being filled
    size_t total_ = 0;
};
