#include "results/elemento.h"

#include <utility>

Elemento::Elemento(int hits, std::string archive, std::string lines)
    : trovate(hits), supporto(std::move(archive)), righe(std::move(lines)) {}
