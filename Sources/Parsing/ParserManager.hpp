// Hands out the parser for a source and a format.
#pragma once

#include "Parsing/Parser.hpp"

#include <memory>

namespace QRV {

class ParserManager {
public:
    // Sources and formats that have a parser.
    static constexpr Int32 CorvanaSource = 0;
    static constexpr Int32 JsonFormat = 0;

    virtual ~ParserManager();

    // A new parser for the pair, or none when no parser reads it.
    std::unique_ptr<Parser> GetParser(Int32 sourceKind, Int32 formatKind) const;
};

}  // namespace QRV
