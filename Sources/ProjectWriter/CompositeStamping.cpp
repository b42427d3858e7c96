#include "CompositeStamping.hpp"

#include "HostLookups.hpp"
#include "ACAPinc.h"
#include "Support/AttributeName.hpp"
#include "Support/GetAttribute.hpp"
#include "Support/UndoStep.hpp"
#include "Support/ModuleState.hpp"
#include "CorvanaClassification.hpp"
#include "DG.h"
#include "ElementLists.hpp"
#include "Parsing/Items/CorvanaComplexMaterial.hpp"
#include "PropertyRuns.hpp"
#include "StoredTexts.hpp"

#include <algorithm>
#include <string>
#include <vector>

namespace QRV {
namespace {

const char* const ProcessTitle = "Updating elements. Please wait...";
const char* const AbortQuestion =
    "Are you sure you want to abort the import process?\nAny changes made to the Library and the Model so far "
    "will be saved.";
constexpr short AbortButton = 2;

// The listed elements an import of this usage stamps, and where they start within the list of all.
struct UsageList {
    const GS::Array<API_Guid>& guids;
    size_t offset;
};

UsageList ListForUsage(Int16 usage)
{
    const ElementLists& lists = TheElementLists();
    if (usage == 4)
        return {lists.roofs, lists.walls.GetSize() + lists.slabs.GetSize()};
    if (usage == 2)
        return {lists.slabs, lists.walls.GetSize()};
    return {lists.walls, 0};
}

// The host's process window with its one phase; a user who cancels is asked whether to abort the import.
class ElementProgress {
public:
    explicit ElementProgress(Int32 count) : max_(count) { Open(); }
    ElementProgress(const ElementProgress&) = delete;
    ElementProgress& operator=(const ElementProgress&) = delete;
    ~ElementProgress() { ACAPI_ProcessWindow_CloseProcessWindow(); }

    // After each element of the list, matching or not.
    void Advance()
    {
        if (position_ < max_) {
            ++position_;
            ACAPI_ProcessWindow_SetProcessValue(&position_);
        }
    }

    // True when the user cancelled and then chose to abort.
    bool AbortRequested()
    {
        // Only the host's cancel answer counts; a failing check is no cancel.
        if (ACAPI_ProcessWindow_IsProcessCanceled() != APIERR_CANCEL)
            return false;
        if (DGAlert(DG_WARNING, "", "", AbortQuestion, "Cancel", "Abort") == AbortButton) {
            SetBulkImportAborted(true);
            return true;
        }
        // The window stays cancelled once cancelled; opened anew, it asks again only after a new cancel.
        ACAPI_ProcessWindow_CloseProcessWindow();
        Open();
        ACAPI_ProcessWindow_SetProcessValue(&position_);
        return false;
    }

private:
    void Open()
    {
        const GS::UniString title(ProcessTitle);
        Int32 phases = 1;
        ACAPI_ProcessWindow_InitProcessWindow(&title, &phases);
        const GS::UniString phase(std::to_string(max_).c_str());
        Int32 max = max_;
        ACAPI_ProcessWindow_SetNextProcessPhase(&phase, &max);
        Int32 start = 0;
        ACAPI_ProcessWindow_SetProcessValue(&start);
    }

    Int32 max_;
    Int32 position_ = 0;
};

bool ReadByName(const GS::UniString& name, API_Attribute& composite)
{
    composite = BlankAttribute(API_CompWallID);
    return SetAttributeName(composite.header, name) && ACAPI_Attribute_Get(&composite) == NoError;
}

// The cancel is looked at between elements, not between properties: an abort then never leaves an
// element with only part of its catalogue properties, and the stamping costs no host call per property
// beyond the write.
void StampElement(const API_Guid& guid, const CorvanaProperties& properties, const std::string& text,
                  HostLookups& lookups)
{
    // The element's classification and user data are element changes, written with its properties.
    DefinePropertiesUndoable(properties, API_Attr_Head{}, guid, UndoStepName::SystemImport, lookups, [&] {
        ClassifyElement(guid, lookups);
        SetElementUserData(guid, text);
    });
}

void StampElements(const API_Attribute& composite, Int16 usage, const CorvanaProperties& properties,
                   const std::string& text)
{
    // One reading of the model gives both the process window's length and the elements to stamp: the
    // stamping changes no element's composite.
    const std::vector<bool> usesComposite = ElementsUsingComposite(composite.header.index);
    // The process window, its cancel checks and the abort question run inside the import's undo step: an
    // abort ends the stamping between two elements, and the step keeps the elements stamped before it.
    RunInUndoStep(UndoStepName::SystemImport, [&]() -> GSErrCode {
        ElementProgress progress(static_cast<Int32>(std::count(usesComposite.begin(), usesComposite.end(), true)));
        // Nothing but this stamping changes the project until it returns.
        HostLookups lookups;
        const UsageList list = ListForUsage(usage);
        for (size_t i = 0; i < list.guids.GetSize(); ++i) {
            const size_t position = list.offset + i;
            if (position < usesComposite.size() && usesComposite[position])
                StampElement(list.guids[static_cast<UIndex>(i)], properties, text, lookups);
            progress.Advance();
            if (progress.AbortRequested())
                break;
        }
        return NoError;
    });
}

// A single import lists the model's elements itself and leaves no list behind, whichever way it ends.
class SingleImportLists {
public:
    explicit SingleImportLists(bool single) : single_(single)
    {
        if (single_)
            GatherElementLists();
    }
    SingleImportLists(const SingleImportLists&) = delete;
    SingleImportLists& operator=(const SingleImportLists&) = delete;
    ~SingleImportLists()
    {
        if (single_)
            ClearElementLists();
    }

private:
    bool single_;
};

}  // namespace

void StampCompositeProperties(CorvanaComplexMaterial& item, const API_Attribute* record)
{
    const CorvanaProperties& properties = item.GetProperties();
    if (properties.IsEmpty())
        return;
    API_Attribute composite;
    if (record != nullptr)
        composite = *record;
    else if (!ReadByName(item.GetName(), composite))
        return;

    const std::string text = properties.ToJsonText();
    AddUserData(composite, text);

    const bool single = !item.GetReplaceWithoutAsking();
    const SingleImportLists lists(single);
    if (single || GetBulkImportScope() == BulkImportScope::LibraryAndModel)
        StampElements(composite, item.GetUsage(), properties, text);
}

}  // namespace QRV
