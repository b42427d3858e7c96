// A parser of JSON documents; each catalogue's layout is a parser of its own.
#pragma once

#include "Parsing/Parser.hpp"

namespace QRV {

class JsonParser : public virtual Parser {
public:
    ~JsonParser() override;
};

}  // namespace QRV
