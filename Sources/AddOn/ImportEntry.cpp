#include "ImportEntry.hpp"

#include "Import/ImportManager.hpp"
#include "Parsing/TextLimits.hpp"
#include "Support/Utf8.hpp"

namespace QRV {

bool ImportEntry(const GS::UniString& text)
{
    return Payload::WithinLimits(ToUtf8(text), "import") && ImportManager::Import(text);
}

}  // namespace QRV
