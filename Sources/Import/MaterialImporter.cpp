#include "MaterialImporter.hpp"

namespace QRV {

MaterialImporter::MaterialImporter(const Json& article)
    : item_(ItemAs<CorvanaMaterial>(GetParserRef().ParseMaterial(article)))
{
}

MaterialImporter::~MaterialImporter() = default;

bool MaterialImporter::ImportFrom(const Json& json)
{
    if (!item_)
        item_ = ItemAs<CorvanaMaterial>(GetParserRef().ParseMaterial(json));
    return Import();
}

bool MaterialImporter::Import()
{
    // The writer works on a private copy, so a failed write leaves the parsed item as it was.
    CorvanaMaterial material = *item_;
    material.SetReplaceWithoutAsking(GetReplaceWithoutAsking());
    if (!material.ConfirmReplace())
        return false;
    const bool written = link_.CreateMaterial(material);
    SetStatus(material.GetImportStatus());
    return written;
}

}  // namespace QRV
