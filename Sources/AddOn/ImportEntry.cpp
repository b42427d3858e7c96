#include "ImportEntry.hpp"

#include "Import/ImportManager.hpp"
#include "Parsing/TextLimits.hpp"

namespace QRV {

bool ImportEntry(const GS::UniString& text)
{
    return Payload::WithinLimits(text.ToStdString(), "import") && ImportManager::Import(text);
}

}  // namespace QRV
