#include "Parsing/JsonParser.hpp"
#include "Parsing/Parser.hpp"

namespace QRV {

Parser::~Parser() = default;

JsonParser::~JsonParser() = default;

}  // namespace QRV
