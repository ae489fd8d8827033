// The result record of one medium with hits: how many lines matched, the
// archive's file name and the matched-lines text (each matched line, stripped
// and lower-cased, followed by ':').
#pragma once
#include <string>

class Elemento {
public:
    Elemento() = default;
    Elemento(int hits, std::string archive, std::string lines);

    int trovate = 0;
    std::string supporto;
    std::string righe;
};
