// Stands in for the element events' stamping of placed objects while that code is not part of the module;
// the element events' own definition replaces this one when both are linked.
#include "AddOn/LogStream.hpp"
#include "AddOn/PlacedObjects.hpp"

namespace QRV {

__attribute__((weak)) GSErrCode StampPlacedObjects(const GS::UniString& libPartName)
{
    LogStream::Instance().Warning("Placed objects of \"" + libPartName.ToStdString() +
                                  "\" are not stamped: element events are not available");
    return NoError;
}

}  // namespace QRV
