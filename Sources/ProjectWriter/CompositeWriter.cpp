// Composites: the clash check over the composite and its skin materials, and the create-or-overwrite write
// that keeps the user's separator lines, pens and flags of an existing composite.
#include "ACAPinc.h"
#include "ACLink.hpp"
#include "Support/AttributeName.hpp"
#include "Support/GetAttribute.hpp"
#include "Support/HostErrorReport.hpp"
#include "Support/LogStream.hpp"
#include "Support/UndoStep.hpp"
#include "CompositeDefinitions.hpp"
#include "Parsing/Items/ComplexMaterial.hpp"
#include "ReplaceQuestion.hpp"
#include "SystemReplacement.hpp"
#include "Support/Utf8.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <string>

namespace QRV {
namespace {

// The host counts skins in a short, and holds one more separator line than skins.
constexpr USize MaxSkinCount = static_cast<USize>(std::numeric_limits<short>::max()) - 1;

bool ReadComposite(const GS::UniString& name, API_Attribute& composite)
{
    composite = BlankAttribute(API_CompWallID);
    return SetAttributeName(composite.header, name) && ACAPI_Attribute_Get(&composite) == NoError;
}

void Fail(ComplexMaterial& composite, const std::string& why)
{
    LogStream::Instance().Error("ACLink::CreateComplexMaterial: \"" + ToUtf8(composite.GetName()) + "\" " + why);
    composite.SetImportStatus("failed");
}

// What the host will refuse anyway is refused before anything is written or asked.
bool CheckWritable(ComplexMaterial& composite)
{
    API_Attr_Head scratch{};
    if (!SetAttributeName(scratch, composite.GetName())) {
        Fail(composite, "is not written: the name " + AttributeNameProblem(composite.GetName()));
        return false;
    }
    const USize skinCount = composite.MaterialCount();
    if (skinCount == 0 || skinCount > MaxSkinCount) {
        Fail(composite, "is not written: a composite needs between 1 and " + std::to_string(MaxSkinCount) +
                            " skins, it has " + std::to_string(skinCount));
        return false;
    }
    if (composite.GetSeparatorLineType() < 0) {
        Fail(composite, "is not written: its separator line type " +
                            std::to_string(composite.GetSeparatorLineType()) + " is no line type");
        return false;
    }
    // Skins are checked as the host checks them, so that a refused composite never leaves the skin
    // materials written before it in the project.
    bool skinsFit = true;
    UIndex skin = 0;
    composite.ForEachMaterial([&](Material& material) {
        ++skin;
        if (!skinsFit)
            return;
        if (!SetAttributeName(scratch, material.GetName())) {
            Fail(composite, "is not written: the skin material name \"" + ToUtf8(material.GetName()) + "\" " +
                                AttributeNameProblem(material.GetName()));
            skinsFit = false;
        } else if (!std::isfinite(material.GetThickness()) || material.GetThickness() < 0.0) {
            Fail(composite, "is not written: skin " + std::to_string(skin) + " (\"" + ToUtf8(material.GetName()) +
                                "\") has the thickness " + std::to_string(material.GetThickness()) +
                                " m, and a skin's thickness is a finite length of 0 or more");
            skinsFit = false;
        }
    });
    return skinsFit;
}

// Writes every skin material and fills its skin entry. A skin whose material could not be written would
// point at no material, so the composite is not written at all then.
bool WriteSkins(ACLink& link, ComplexMaterial& composite, CompositeDefinitions& defs, double& totalThickness)
{
    UIndex skin = 0;
    bool written = true;
    composite.ForEachMaterial([&](Material& material) {
        if (!written)
            return;
        material.SetReplaceWithoutAsking(true);
        material.ConfirmReplace();
        material.SetReplaceWithoutAsking(false);
        if (!link.CreateMaterial(material)) {
            Fail(composite, "is not written: its skin material \"" + ToUtf8(material.GetName()) +
                                "\" could not be written");
            written = false;
            return;
        }
        API_CWallComponent& entry = defs.Skin(skin++);
        entry.buildingMaterial = material.GetAttributeIndex();
        entry.framePen = static_cast<short>(material.GetFramePen());
        entry.flagBits = material.GetSkinFlags();
        entry.fillThick = material.GetThickness();
        totalThickness += material.GetThickness();
    });
    return written;
}

// The user's drawing settings of the existing composite win where both composites have the position; the
// materials and thicknesses are the catalogue's.
void TakeOverExisting(const API_Attribute& existing, CompositeDefinitions& defs)
{
    ExistingCompositeDefinitions old(existing.header.index, existing.compWall.nComps);
    if (old.Error() != NoError)
        return;
    const USize skins = std::min(old.SkinCount(), defs.SkinCount());
    for (UIndex i = 0; i < skins; ++i) {
        defs.Skin(i).framePen = old.Skin(i).framePen;
        defs.Skin(i).flagBits = old.Skin(i).flagBits;
    }
    const USize lines = std::min(old.LineCount(), defs.SkinCount() + 1);
    for (UIndex i = 0; i < lines; ++i) {
        defs.Line(i).ltypeInd = old.Line(i).ltypeInd;
        defs.Line(i).linePen = old.Line(i).linePen;
    }
}

// The skins, the composite itself, the after-write hook and, for a replacement, the swap in the model.
bool WriteComposite(ACLink& link, ComplexMaterial& composite, CompositeDefinitions& defs)
{
    double totalThickness = 0.0;
    if (!WriteSkins(link, composite, defs, totalThickness))
        return false;
    for (UIndex i = 0; i <= defs.SkinCount(); ++i) {
        defs.Line(i).ltypeInd = ACAPI_CreateAttributeIndex(composite.GetSeparatorLineType());
        defs.Line(i).linePen = composite.GetSeparatorLinePen();
    }

    API_Attribute attribute = BlankAttribute(API_CompWallID);
    attribute.header.flags = static_cast<short>(composite.GetUsage());
    SetAttributeName(attribute.header, composite.GetName());
    attribute.compWall.totalThick = totalThickness;
    attribute.compWall.nComps = static_cast<short>(defs.SkinCount());

    GSErrCode err = ACAPI_Attribute_CreateExt(&attribute, defs.Defs());
    if (err == APIERR_ATTREXIST) {
        API_Attribute existing;
        if (ReadComposite(composite.GetName(), existing))
            TakeOverExisting(existing, defs);
        err = ACAPI_Attribute_ModifyExt(&attribute, defs.Defs());
        if (err != NoError) {
            ReportHostError(err, "ACLink::CreateComplexMaterial");
            composite.SetImportStatus("failed");
            return false;
        }
        composite.StoreProperties(&attribute);
        composite.SetImportStatus("overwritten");
    } else if (err != NoError) {
        ReportHostError(err, "ACLink::CreateComplexMaterial");
        composite.SetImportStatus("failed");
        return false;
    } else {
        composite.StoreProperties(&attribute);
        composite.SetImportStatus("imported");
    }

    if (composite.IsReplacement())
        ReplaceConstructionSystem(ACAPI_CreateAttributeIndex(composite.GetReplaceIndex()), attribute);
    return true;
}

}  // namespace

bool ComplexMaterial::ConfirmReplace()
{
    API_Attribute existing = BlankAttribute(API_CompWallID);
    if (!GetReplaceWithoutAsking() && ReadComposite(GetName(), existing) &&
        AskReplaceExisting(GetName(), "material") == ReplaceReject)
        return false;

    bool goOn = true;
    std::set<std::string> settled;
    ForEachMaterial([&](Material& material) {
        const std::string name = ToUtf8(material.GetName());
        if (!goOn || settled.count(name) != 0)
            return;
        const bool ownFlag = material.GetReplaceWithoutAsking();
        material.SetReplaceWithoutAsking(ownFlag || GetReplaceWithoutAsking());
        goOn = material.ConfirmReplace();
        material.SetReplaceWithoutAsking(ownFlag);
        if (goOn)
            settled.insert(name);
    });
    return goOn;
}

bool ACLink::CreateComplexMaterial(ComplexMaterial& composite)
{
    if (!CheckWritable(composite))
        return false;
    if (!composite.GetReplaceWithoutAsking() && !composite.ConfirmReplace())
        return false;

    CompositeDefinitions defs;
    if (!defs.Allocate(composite.MaterialCount())) {
        LogStream::Instance().Error("ACLink::CreateComplexMaterial: no memory for the skins of \"" +
                                    ToUtf8(composite.GetName()) + "\"");
        return false;
    }
    // Every question is answered: from here on, everything the system changes (its skin materials with
    // their properties, the composite, the elements stamped or rebuilt) is the one undo step of the import.
    bool ran = false;
    bool written = false;
    const char* stepName =
        composite.IsReplacement() ? UndoStepName::SystemReplacement : UndoStepName::SystemImport;
    RunInUndoStep(stepName, [&]() -> GSErrCode {
        ran = true;
        written = WriteComposite(*this, composite, defs);
        return NoError;
    });
    if (!ran)
        Fail(composite, "is not written: the host refused its undo step");
    return written;
}

}  // namespace QRV
