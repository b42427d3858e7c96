#include "ComplexMaterialImporter.hpp"

namespace QRV {

ComplexMaterialImporter::ComplexMaterialImporter(const Json& system)
    : item_(ItemAs<CorvanaComplexMaterial>(GetParserRef().ParseComplexMaterial(system)))
{
}

ComplexMaterialImporter::~ComplexMaterialImporter() = default;

bool ComplexMaterialImporter::ImportFrom(const Json& json)
{
    if (!item_)
        item_ = ItemAs<CorvanaComplexMaterial>(GetParserRef().ParseComplexMaterial(json));
    return Import();
}

bool ComplexMaterialImporter::Import()
{
    // The writer works on a private copy: the skin materials take over settings and statuses as it goes.
    CorvanaComplexMaterial composite = *item_;
    composite.SetReplaceWithoutAsking(GetReplaceWithoutAsking());
    const bool written = link_.CreateComplexMaterial(composite);
    SetStatus(composite.GetImportStatus());
    return written;
}

}  // namespace QRV
