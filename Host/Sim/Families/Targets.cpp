#include "Families/Targets.hpp"

#include "Host.hpp"
#include "Model/Text.hpp"
#include "SimUtf8.hpp"

#include <cstring>

namespace Sim {

GSErrCode CheckAttributeType(API_AttrTypeID type)
{
    if (Model::Attributes::IsHeldType(type))
        return NoError;
    return type >= API_FirstAttributeID && type <= API_LastAttributeID ? APIERR_NOTSUPPORTED : APIERR_BADID;
}

bool HeaderName(const API_Attr_Head& head, std::string* name)
{
    if (head.uniStringNamePtr != nullptr) {
        *name = Sim::Utf8(*head.uniStringNamePtr);
        return true;
    }
    const void* end = std::memchr(head.name, '\0', API_AttrNameLen);
    if (end == nullptr)
        return false;
    name->assign(head.name, static_cast<size_t>(static_cast<const char*>(end) - head.name));
    return true;
}

GSErrCode FindTargetAttribute(const API_Attr_Head* head, Model::AttributeCommon** attribute)
{
    if (head == nullptr || attribute == nullptr)
        return APIERR_BADPARS;
    if (GSErrCode err = CheckAttributeType(head->typeID); err != NoError)
        return err;
    Model::Attributes& attributes = TheHost().GetProject().attributes;
    if (IndexNumber(head->index) != 0) {
        *attribute = attributes.Find(head->typeID, IndexNumber(head->index));
        return *attribute != nullptr ? NoError : APIERR_BADINDEX;
    }
    std::string name;
    if (!HeaderName(*head, &name) || name.empty())
        return APIERR_BADNAME;
    *attribute = attributes.FindByName(head->typeID, name);
    return *attribute != nullptr ? NoError : APIERR_BADNAME;
}

GSErrCode FindTargetElement(const API_Guid* guid, Model::Element** element)
{
    if (guid == nullptr || element == nullptr)
        return APIERR_BADPARS;
    *element = TheHost().GetProject().elements.FindToChangeData(*guid);
    return *element != nullptr ? NoError : APIERR_BADID;
}

GSErrCode ClaimNewGuid(const API_Guid& requested, API_Guid* guid)
{
    if (requested == APINULLGuid) {
        *guid = TheHost().NewProjectGuid();
        return NoError;
    }
    if (TheHost().GetProject().ContainsGuid(requested) || Model::BuiltIn::IsBuiltInGuid(requested))
        return APIERR_BADID;
    *guid = requested;
    return NoError;
}

// A UniString holds UTF-16: one with an unpaired surrogate has no UTF-8 form the project file could keep.
bool IsHostText(const GS::UniString& text)
{
    const USize length = text.GetLength();
    for (UIndex i = 0; i < length; ++i) {
        const GS::UniChar::Layout unit = text[i];
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
        if (high && i + 1 < length && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            ++i;
        else if (high || low)
            return false;
    }
    return true;
}

}  // namespace Sim
