// Reads the Corvana catalogue's JSON documents: material articles, construction systems and products.
#pragma once

#include "Parsing/JsonParser.hpp"

namespace QRV {

class CorvanaJsonParser : public virtual JsonParser {
public:
    ~CorvanaJsonParser() override;

    std::unique_ptr<BaseItem> ParseText(const GS::UniString& text) override;
    // A CorvanaMaterial from one article, with the replacement keys of a skin replacement.
    std::unique_ptr<BaseItem> ParseMaterial(const Json& article) override;
    // A CorvanaComplexMaterial from one system with its materials and layers.
    std::unique_ptr<BaseItem> ParseComplexMaterial(const Json& system) override;
    // A CorvanaLibraryPart from a product whose file is a single part.
    std::unique_ptr<BaseItem> ParseLibraryPart(const Json& product) override;
    // A CorvanaLibrary from a product whose file is a container.
    std::unique_ptr<BaseItem> ParseLibrary(const Json& product) override;
};

}  // namespace QRV
