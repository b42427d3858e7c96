#include "Parsing/ParserManager.hpp"

#include "Parsing/CorvanaJsonParser.hpp"

namespace QRV {

ParserManager::~ParserManager() = default;

std::unique_ptr<Parser> ParserManager::GetParser(Int32 sourceKind, Int32 formatKind) const
{
    if (sourceKind == CorvanaSource && formatKind == JsonFormat)
        return std::make_unique<CorvanaJsonParser>();
    return nullptr;
}

}  // namespace QRV
