// An importer writes one parsed catalogue item into the project through its own project writer.
#pragma once

#include "Parsing/Parser.hpp"
#include "Parsing/PropertyNames.hpp"
#include "ProjectWriter/ACLink.hpp"

#include <memory>

namespace QRV {

class BaseImporter {
public:
    BaseImporter();
    BaseImporter(const BaseImporter&) = delete;
    BaseImporter& operator=(const BaseImporter&) = delete;
    virtual ~BaseImporter();

    // Imports the given item document (parsing it into the importer's item where the importer has none).
    virtual bool ImportFrom(const Json& json) = 0;
    // Writes the importer's item into the project.
    virtual bool Import() = 0;

    // "undefined" until a material or composite writer reported its outcome.
    const GS::UniString& GetStatus() const { return status_; }
    // Set by bulk runs: an existing item of the same name is replaced without asking.
    void SetReplaceWithoutAsking(bool replace) { replaceWithoutAsking_ = replace; }

protected:
    Parser& GetParserRef() { return *parser_; }
    void SetStatus(const GS::UniString& status) { status_ = status; }
    bool GetReplaceWithoutAsking() const { return replaceWithoutAsking_; }

private:
    std::unique_ptr<Parser> parser_;
    GS::UniString status_ = "undefined";
    bool replaceWithoutAsking_ = false;
};

// The parser's result as the item an importer expects; a parser handing back another kind of item is a
// programming error, reported as an exception like any unreadable document, and so is an item with a
// property name the host does not take.
template <typename Item>
std::unique_ptr<Item> ItemAs(std::unique_ptr<BaseItem> item)
{
    auto* typed = dynamic_cast<Item*>(item.get());
    if (typed == nullptr)
        throw std::logic_error("the parser made an item of an unexpected kind");
    item.release();
    std::unique_ptr<Item> result(typed);
    // Refused here, before any writing, rather than by the host half way through the import.
    RequireHostPropertyNames(*result);
    return result;
}

}  // namespace QRV
