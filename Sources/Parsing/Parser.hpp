// Turns one item object of a catalogue document into an item.
#pragma once

#include "Parsing/Items/BaseItem.hpp"
#include "Parsing/PayloadReading.hpp"

#include <memory>

namespace QRV {

class Parser {
public:
    Parser() = default;
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;
    virtual ~Parser();

    // Free text carries no item; it is only echoed to the debug output.
    virtual std::unique_ptr<BaseItem> ParseText(const GS::UniString& text) = 0;
    virtual std::unique_ptr<BaseItem> ParseMaterial(const Json& article) = 0;
    virtual std::unique_ptr<BaseItem> ParseComplexMaterial(const Json& system) = 0;
    virtual std::unique_ptr<BaseItem> ParseLibraryPart(const Json& product) = 0;
    virtual std::unique_ptr<BaseItem> ParseLibrary(const Json& product) = 0;
};

}  // namespace QRV
