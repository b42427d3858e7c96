#include "GetAttribute.hpp"

#include "ACAPinc.h"
#include "AttributeName.hpp"
#include "HostErrorReport.hpp"
#include "LogStream.hpp"
#include "Support/Utf8.hpp"

#include <cstring>


namespace QRV {

API_Attribute BlankAttribute(API_AttrTypeID typeID)
{
    API_Attribute attribute;
    std::memset(static_cast<void*>(&attribute), 0, sizeof attribute);
    attribute.header.typeID = typeID;
    return attribute;
}

API_Attribute GetAttribute(const GS::UniString& name, API_AttrTypeID typeID, GSErrCode* err)
{
    API_Attribute attribute = BlankAttribute(typeID);
    GSErrCode result = APIERR_BADNAME;
    if (SetAttributeName(attribute.header, name)) {
        result = ACAPI_Attribute_Get(&attribute);
        ReportHostError(result, "GetAttribute(GS::UniString name, API_AttrTypeID typeID)");
    } else {
        LogStream::Instance().Error("GetAttribute: the name \"" + ToUtf8(name) + "\" " + AttributeNameProblem(name));
    }
    if (err != nullptr)
        *err = result;
    return attribute;
}

}  // namespace QRV
