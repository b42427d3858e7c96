#include "LibraryPartImporter.hpp"

#include "ProjectWriter/LibraryFiles.hpp"
#include "ProjectWriter/NamedProducts.hpp"

namespace QRV {

LibraryPartImporter::LibraryPartImporter(const Json& data)
    : item_(ItemAs<CorvanaLibraryPart>(GetParserRef().ParseLibraryPart(data)))
{
}

LibraryPartImporter::~LibraryPartImporter() = default;

bool LibraryPartImporter::MayImport(const CorvanaLibraryPart& item) const
{
    return ConfirmReplaceByName(WithoutExtension(item.GetFileName()), "object", GetReplaceWithoutAsking());
}

bool LibraryPartImporter::ImportFrom(const Json& json)
{
    if (!MayImport(*item_))
        return false;
    std::unique_ptr<CorvanaLibraryPart> fresh = ItemAs<CorvanaLibraryPart>(GetParserRef().ParseLibraryPart(json));
    return link_.ImportLibraryPart(*fresh);
}

bool LibraryPartImporter::Import()
{
    if (!MayImport(*item_))
        return false;
    return link_.ImportLibraryPart(*item_);
}

}  // namespace QRV
