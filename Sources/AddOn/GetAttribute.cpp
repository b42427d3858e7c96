#include "GetAttribute.hpp"

#include "ACAPinc.h"
#include "AttributeName.hpp"
#include "HostErrorReport.hpp"
#include "LogStream.hpp"
#include "AddOn/Utf8.hpp"


namespace QRV {

API_Attribute GetAttribute(const GS::UniString& name, API_AttrTypeID typeID, GSErrCode* err)
{
    API_Attribute attribute{};
    attribute.header.typeID = typeID;
    GSErrCode result = APIERR_BADNAME;
    if (SetAttributeName(attribute.header, name)) {
        result = ACAPI_Attribute_Get(&attribute);
        ReportHostError(result, "GetAttribute(GS::UniString name, API_AttrTypeID typeID)");
    } else {
        LogStream::Instance().Error("GetAttribute: the name \"" + ToUtf8(name) +
                                    "\" is longer than the host's 255-byte name field");
    }
    if (err != nullptr)
        *err = result;
    return attribute;
}

}  // namespace QRV
