#include "ImportEntry.hpp"

namespace QRV {

bool ImportEntry(const GS::UniString& /*text*/)
{
    return false;  // The importers are not built yet: nothing can be imported.
}

}  // namespace QRV
