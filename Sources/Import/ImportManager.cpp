#include "ImportManager.hpp"

#include "Support/LogStream.hpp"
#include "Support/UndoStep.hpp"
#include "Support/ModuleState.hpp"
#include "GSDebug.hpp"
#include "Import/ComplexMaterialImporter.hpp"
#include "Import/LibraryImporter.hpp"
#include "Import/LibraryPartImporter.hpp"
#include "Import/MaterialImporter.hpp"
#include "Parsing/TextLimits.hpp"
#include "ProjectWriter/DownloadBudget.hpp"
#include "ProjectWriter/ACLink.hpp"
#include "Support/Utf8.hpp"

namespace QRV {
namespace ImportManager {
namespace {

bool IsNamedProductType(const GS::UniString& importType)
{
    return importType == "curtain wall" || importType == "stair";
}

// The undo step of a document of several importers or of a bulk list, by the kind of what it imports;
// none for a kind no importer writes.
const char* UndoStepOf(const GS::UniString& importType, bool replaces)
{
    if (importType == "Material")
        return replaces ? UndoStepName::SystemReplacement : UndoStepName::MaterialImport;
    if (importType == "system")
        return replaces ? UndoStepName::SystemReplacement : UndoStepName::SystemImport;
    if (importType == "Product")
        return UndoStepName::ProductImport;
    return nullptr;
}

// Whether one of the document's materials replaces a skin of a system: the page's
// "replaceMaterialUsedInConstructionSystem".
bool ReplacesSkinMaterial(const Json& data)
{
    const Json& articles = Payload::ReadRequired(data, "articles");
    for (const Json& article : articles)
        if (article.is_object() && Payload::Contains(article, "system_internal_id"))
            return true;
    return false;
}

// The import type of a bulk list's first element, or none when it cannot be read: then every element
// fails on its own.
GS::UniString ListKind(const Json& list)
{
    try {
        return Payload::ImportType(list);
    } catch (const std::exception&) {
        return GS::UniString();
    }
}

// Runs `body` in the undo step named for `importType`, or as it is when nothing of that kind is written.
template <typename Body>
void InUndoStepOf(const GS::UniString& importType, bool replaces, Body body)
{
    if (const char* stepName = UndoStepOf(importType, replaces)) {
        RunInUndoStep(stepName, [&]() -> GSErrCode {
            body();
            return NoError;
        });
    } else {
        body();
    }
}

}  // namespace

Importers GetImporter(const Json& document)
{
    Importers importers;
    if (!Payload::Contains(document, "data"))
        return importers;
    const Json& data = Payload::ReadRequired(document, "data");
    if (data.is_null() || !Payload::Contains(data, "import_type"))
        return importers;
    const GS::UniString importType = Payload::String(Payload::ReadRequired(data, "import_type"));

    if (importType == "Product") {
        // The one reading of the address that picks the importer; it also refuses an address too short to
        // name a file before anything is downloaded.
        switch (Payload::ProductFileKindOf(data)) {
            case Payload::ProductFileKind::None: return importers;
            case Payload::ProductFileKind::Library:
                importers.push_back(std::make_unique<LibraryImporter>(data));
                break;
            case Payload::ProductFileKind::LibraryPart:
                importers.push_back(std::make_unique<LibraryPartImporter>(data));
                break;
        }
    }
    if (importType == "Material") {
        const Json& articles = Payload::ReadRequired(data, "articles");
        if (!articles.is_array())
            throw std::invalid_argument("\"articles\" is not a list");
        // Refused before the first article is read, so before the first question about a name in use.
        if (articles.size() > Payload::MaxArticlesPerDocument)
            throw std::invalid_argument("the document has " + std::to_string(articles.size()) +
                                        " articles, more than the limit of " +
                                        std::to_string(Payload::MaxArticlesPerDocument));
        for (const Json& article : articles) {
            Json copy = article;
            if (!copy.is_object())
                throw std::invalid_argument("an article is not an object");
            // Read for each article: a document without articles has no name to read, and is refused as
            // one that makes no importer, not as an unreadable name.
            copy["name"] = ToUtf8(Payload::String(Payload::ReadIndexed(data, "name")));
            importers.push_back(std::make_unique<MaterialImporter>(copy));
        }
    } else if (importType == "system") {
        importers.push_back(std::make_unique<ComplexMaterialImporter>(data));
    }
    return importers;
}

namespace {

// An "Abort" given in a single import's element stamping ends that stamping only. The flag it raises is
// the bulk run's; left set, it would stop whatever reads it next for an abort the user gave long before.
class AbortEndsWithThisImport {
public:
    AbortEndsWithThisImport() = default;
    AbortEndsWithThisImport(const AbortEndsWithThisImport&) = delete;
    AbortEndsWithThisImport& operator=(const AbortEndsWithThisImport&) = delete;
    ~AbortEndsWithThisImport() { SetBulkImportAborted(false); }
};

}  // namespace

bool Import(const GS::UniString& text)
{
    const AbortEndsWithThisImport abortScope;
    try {
        const Json document = Payload::Parse(text);
        const GS::UniString importType = Payload::ImportType(document);
        if (IsNamedProductType(importType))
            return ACLink().ImportNamedProduct(Payload::ReadRequired(document, "data"), importType) == NoError;

        Importers importers = GetImporter(document);
        if (importers.empty()) {
            LogStream::Instance().Error("ImportManager.GetImporter could not return importer.");
            return false;
        }
        DBPrintf("Importer_returned\n");
        bool result = true;
        auto importAll = [&] {
            for (auto& importer : importers)
                result = importer->Import() && result;
        };
        // One importer opens its step itself, after its questions: a declined import makes none. Several
        // (the articles of one material) are one step, their questions among their writes.
        if (importers.size() == 1)
            importAll();
        else
            InUndoStepOf(importType,
                         importType == "Material" && ReplacesSkinMaterial(Payload::ReadRequired(document, "data")),
                         importAll);
        return result;
    } catch (const std::exception& e) {
        LogStream::Instance().Error(std::string("Import failed: the catalogue item cannot be read: ") + e.what());
        return false;
    }
}

Json StatusObject(const Json& element, const GS::UniString& status)
{
    Json object = Json::object();
    // A list element that is no object has no keys to echo: it reads as an empty object.
    static const Json noKeys = Json::object();
    const Json& source = element.is_object() ? element : noKeys;
    object["id"] = Payload::ReadUnchecked(source, "id");
    object["status"] = ToUtf8(status);
    object["name"] = Payload::ReadUnchecked(source, "name");
    object["image"] = Payload::Contains(source, "image") ? Payload::ReadRequired(source, "image") : Json("");
    object["thumbnail"] =
        Payload::Contains(source, "thumbnail") ? Payload::ReadRequired(source, "thumbnail") : Json("");
    return object;
}

GS::UniString ImportBulkElement(const Json& element)
{
    try {
        Json envelope = Json::object();
        envelope["data"] = element;
        Importers importers = GetImporter(envelope);
        if (importers.empty())
            return "failed";
        importers.front()->SetReplaceWithoutAsking(true);
        importers.front()->Import();
        return importers.front()->GetStatus();
    } catch (const std::exception& e) {
        LogStream::Instance().Error(std::string("Bulk import: an item cannot be read: ") + e.what());
        return "failed";
    }
}

Json BulkImportNonSystem(const Json& list)
{
    Json statuses = Json::array();
    MaterialsCreatedInBulkRun().clear();
    SetBulkImportScope(BulkImportScope::LibraryOnly);
    // A flag left by an earlier aborted run must not stop this one after its first element.
    SetBulkImportAborted(false);
    const DownloadBudget::RunScope downloads;

    if (!list.is_array()) {
        LogStream::Instance().Error("Bulk import: the list of catalogue items is not a JSON array");
        return statuses;
    }
    // The whole run is one undo step, of the kind the list holds.
    InUndoStepOf(ListKind(list), false, [&] {
        for (const Json& element : list) {
            const GS::UniString status = ImportBulkElement(element);
            statuses.push_back(StatusObject(element, status));
            if (IsBulkImportAborted())
                break;
        }
    });
    SetBulkImportAborted(false);
    return statuses;
}

}  // namespace ImportManager
}  // namespace QRV
