#include "BaseImporter.hpp"

#include "Parsing/ParserManager.hpp"

namespace QRV {

BaseImporter::BaseImporter()
    : parser_(ParserManager().GetParser(ParserManager::CorvanaSource, ParserManager::JsonFormat))
{
}

BaseImporter::~BaseImporter() = default;

}  // namespace QRV
