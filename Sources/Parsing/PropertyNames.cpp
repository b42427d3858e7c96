#include "Parsing/PropertyNames.hpp"

#include "AddOn/LogStream.hpp"
#include "Parsing/Items/CorvanaComplexMaterial.hpp"
#include "Parsing/Items/CorvanaLibrary.hpp"
#include "Parsing/Items/CorvanaLibraryPart.hpp"
#include "Parsing/Items/CorvanaMaterial.hpp"
#include "AddOn/Utf8.hpp"

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
    for (const CorvanaProperty& property : properties.All()) {
        const std::optional<std::string> groupProblem = PropertyNameProblem(property.GetGroup());
        const std::optional<std::string> nameProblem = PropertyNameProblem(property.GetName());
        if (!groupProblem && !nameProblem)
            continue;
        const std::string which = nameProblem ? "name" : "group name";
        const std::string message = "Import of \"" + ToUtf8(itemName) + "\" refused: the property \"" +
                                    ToUtf8(property.GetName()) + "\" of the group \"" +
                                    ToUtf8(property.GetGroup()) + "\" has a " + which +
                                    " the host does not take (" + (nameProblem ? *nameProblem : *groupProblem) +
                                    ")";
        // Whoever ends the import logs the refusal with what else it knows: logging it here too would
        // write it twice.
        throw std::invalid_argument(message);
    }
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
