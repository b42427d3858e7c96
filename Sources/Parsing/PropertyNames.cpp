#include "Parsing/PropertyNames.hpp"

#include "ACAPinc.h"
#include "Parsing/Items/CorvanaComplexMaterial.hpp"
#include "Parsing/Items/CorvanaLibrary.hpp"
#include "Parsing/Items/CorvanaLibraryPart.hpp"
#include "Parsing/Items/CorvanaMaterial.hpp"
#include "Support/Utf8.hpp"

#include <set>
#include <stdexcept>

namespace QRV {

std::optional<std::string> PropertyNameProblem(const GS::UniString& name)
{
    if (name.IsEmpty())
        return std::string("it is empty");
    const USize length = name.GetLength();
    for (UIndex i = 0; i < length; ++i) {
        const GS::UniChar::Layout unit = static_cast<GS::UniChar::Layout>(name[i]);
        if (unit == 0)
            return std::string("it holds a zero character");
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
        const GS::UniChar::Layout next = i + 1 < length ? static_cast<GS::UniChar::Layout>(name[i + 1]) : 0;
        if (high && next >= 0xDC00 && next <= 0xDFFF)
            ++i;
        else if (high || low)
            return std::string("it holds an unpaired UTF-16 surrogate");
    }
    return std::nullopt;
}

void RequireHostPropertyNames(const CorvanaProperties& properties, const GS::UniString& itemName)
{
    auto refuse = [&](const CorvanaProperty& property, const std::string& which, const std::string& problem) {
        const std::string message = "Import of \"" + ToUtf8(itemName) + "\" refused: the property \"" +
                                    ToUtf8(property.GetName()) + "\" of the group \"" +
                                    ToUtf8(property.GetGroup()) + "\" has a " + which +
                                    " the host does not take (" + problem + ")";
        // Whoever ends the import logs the refusal with what else it knows: logging it here too would
        // write it twice.
        throw std::invalid_argument(message);
    };
    for (const CorvanaProperty& property : properties.All()) {
        const std::optional<std::string> groupProblem = PropertyNameProblem(property.GetGroup());
        const std::optional<std::string> nameProblem = PropertyNameProblem(property.GetName());
        if (nameProblem)
            refuse(property, "name", *nameProblem);
        if (groupProblem)
            refuse(property, "group name", *groupProblem);
    }
    if (properties.IsEmpty())
        return;
    // The host's own groups (its built-in ones) take no definitions of others, and a group of theirs
    // cannot be made under the same name. Only the host knows their names; when it cannot list them, the
    // writer meets its refusal instead.
    GS::Array<API_PropertyGroup> groups;
    if (ACAPI_Property_GetPropertyGroups(groups) != NoError)
        return;
    std::set<std::string> hostOwn;
    for (const API_PropertyGroup& group : groups)
        if (group.groupType != API_PropertyCustomGroupType)
            hostOwn.insert(ToUtf8(group.name));
    for (const CorvanaProperty& property : properties.All())
        if (hostOwn.count(ToUtf8(property.GetGroup())) != 0)
            refuse(property, "group name", "the host keeps it for a group of its own");
}

void RequireHostPropertyNames(const CorvanaMaterial& material)
{
    RequireHostPropertyNames(material.GetProperties(), material.GetName());
}

void RequireHostPropertyNames(const CorvanaComplexMaterial& composite)
{
    RequireHostPropertyNames(composite.GetProperties(), composite.GetName());
    for (const CorvanaMaterial& material : composite.Materials())
        RequireHostPropertyNames(material);
}

void RequireHostPropertyNames(const CorvanaLibrary& library)
{
    RequireHostPropertyNames(library.GetProperties(), library.GetFileName());
}

void RequireHostPropertyNames(const CorvanaLibraryPart& part)
{
    RequireHostPropertyNames(part.GetProperties(), part.GetFileName());
}

}  // namespace QRV
