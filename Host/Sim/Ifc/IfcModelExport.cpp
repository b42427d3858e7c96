#include "Ifc/IfcModelExport.hpp"

#include "Ifc/IfcGuid.hpp"
#include "Ifc/IfcMaterials.hpp"
#include "Ifc/IfcPropertySets.hpp"
#include "Ifc/StepFile.hpp"
#include "Ifc/StepText.hpp"
#include "AttributeIndex.hpp"
#include "SimUtf8.hpp"
#include "System/Time.hpp"

#include <map>
#include <vector>

namespace Sim::Ifc {
namespace {

using Model::Element;

struct Box {
    double x = 0.0, y = 0.0, z = 0.0;
    bool IsSolid() const { return x > 0.0 && y > 0.0 && z > 0.0; }
};

bool IsPartOfAnother(const Element& element) { return element.type == API_ObjectID && element.ownerType != API_ZombieElemID; }

Box BoxOf(const Element& element)
{
    switch (element.type) {
        case API_WallID: return {element.length, std::max(element.thickness, element.endThickness), element.height};
        case API_SlabID:
        case API_RoofID: return {element.length, element.width, element.thickness};
        case API_WindowID:
        case API_DoorID: return {element.width, element.thickness, element.height};
        default: return {element.length, element.width, element.height};
    }
}

std::string DefaultName(const Model::Project& project, const Element& element)
{
    if (element.HasLibraryPart()) {
        const size_t index = static_cast<size_t>(element.libraryPart.index);
        if (index <= project.libraries.parts.size())
            return project.libraries.parts[index - 1].documentName;
    }
    switch (element.type) {
        case API_WallID: return "Wall";
        case API_ColumnID: return "Column";
        case API_BeamID: return "Beam";
        case API_WindowID: return "Window";
        case API_DoorID: return "Door";
        case API_SlabID: return "Slab";
        case API_RoofID: return "Roof";
        case API_CurtainWallID: return "Curtain Wall";
        case API_StairID: return "Stair";
        default: return "Object";
    }
}

class ModelExport {
public:
    ModelExport(const Model::Project& project, std::string projectKey)
        : project_(project), projectKey_(std::move(projectKey)), materials_(file_, project.attributes, projectKey_)
    {
    }

    StepFile& Run()
    {
        WriteContextAndUnits();
        WriteSpatialStructure();
        WriteElements();
        materials_.WriteAssociations();
        return file_;
    }

private:
    std::string Guid(const std::string& role) const { return StepString(DerivedCompressedGuid(projectKey_, role)); }

    int Point(double x, double y, double z) { return file_.Add("IFCCARTESIANPOINT", {StepList({StepReal(x), StepReal(y), StepReal(z)})}); }

    void WriteContextAndUnits()
    {
        origin_ = Point(0, 0, 0);
        up_ = file_.Add("IFCDIRECTION", {StepList({StepReal(0), StepReal(0), StepReal(1)})});
        worldAxes_ = file_.Add("IFCAXIS2PLACEMENT3D", {StepRef(origin_), StepNull, StepNull});
        context_ = file_.Add("IFCGEOMETRICREPRESENTATIONCONTEXT",
                             {StepNull, StepString("Model"), "3", StepReal(1e-5), StepRef(worldAxes_), StepNull});
        std::vector<int> units;
        for (const auto& [type, name] : {std::pair{"LENGTHUNIT", "METRE"}, std::pair{"AREAUNIT", "SQUARE_METRE"},
                                         std::pair{"VOLUMEUNIT", "CUBIC_METRE"}, std::pair{"PLANEANGLEUNIT", "RADIAN"}})
            units.push_back(file_.Add("IFCSIUNIT", {StepDerived, StepEnum(type), StepNull, StepEnum(name)}));
        units_ = file_.Add("IFCUNITASSIGNMENT", {StepRefList(units)});
    }

    int Placement(int relativeTo, int axes)
    {
        return file_.Add("IFCLOCALPLACEMENT", {relativeTo != 0 ? StepRef(relativeTo) : StepNull, StepRef(axes)});
    }

    int SpatialElement(const char* entity, const std::string& name, int placement, std::vector<std::string> rest)
    {
        std::vector<std::string> attributes = {Guid(entity), StepNull, StepString(name), StepNull, StepNull,
                                               StepRef(placement), StepNull, StepNull, StepEnum("ELEMENT")};
        attributes.insert(attributes.end(), rest.begin(), rest.end());
        return file_.Add(entity, attributes);
    }

    void Aggregate(const std::string& role, int whole, const std::vector<int>& parts)
    {
        file_.Add("IFCRELAGGREGATES", {Guid(role), StepNull, StepNull, StepNull, StepRef(whole), StepRefList(parts)});
    }

    void WriteSpatialStructure()
    {
        const int project = file_.Add("IFCPROJECT", {Guid("IFCPROJECT"), StepNull, StepString(project_.DisplayName()),
                                                     StepNull, StepNull, StepNull, StepNull,
                                                     StepRefList({context_}), StepRef(units_)});
        const int sitePlacement = Placement(0, worldAxes_);
        const int site = SpatialElement("IFCSITE", "Site", sitePlacement, {StepNull, StepNull, StepNull, StepNull, StepNull});
        const int buildingPlacement = Placement(sitePlacement, worldAxes_);
        const int building = SpatialElement("IFCBUILDING", "Building", buildingPlacement, {StepNull, StepNull, StepNull});
        storeyPlacement_ = Placement(buildingPlacement, worldAxes_);
        storey_ = SpatialElement("IFCBUILDINGSTOREY", "Ground Floor", storeyPlacement_, {StepReal(0.0)});
        Aggregate("project parts", project, {site});
        Aggregate("site parts", site, {building});
        Aggregate("building parts", building, {storey_});
    }

    int Body(const Box& box)
    {
        if (!box.IsSolid())
            return 0;
        const int centre = file_.Add("IFCCARTESIANPOINT", {StepList({StepReal(box.x / 2), StepReal(box.y / 2)})});
        const int profilePosition = file_.Add("IFCAXIS2PLACEMENT2D", {StepRef(centre), StepNull});
        const int profile = file_.Add("IFCRECTANGLEPROFILEDEF", {StepEnum("AREA"), StepNull, StepRef(profilePosition),
                                                                 StepReal(box.x), StepReal(box.y)});
        const int solid = file_.Add("IFCEXTRUDEDAREASOLID", {StepRef(profile), StepRef(worldAxes_), StepRef(up_), StepReal(box.z)});
        const int representation = file_.Add("IFCSHAPEREPRESENTATION", {StepRef(context_), StepString("Body"),
                                                                         StepString("SweptSolid"), StepRefList({solid})});
        return file_.Add("IFCPRODUCTDEFINITIONSHAPE", {StepNull, StepNull, StepRefList({representation})});
    }

    int WriteElement(const Element& element)
    {
        const int location = Point(element.origin.x, element.origin.y, element.origin.z);
        const int axes = file_.Add("IFCAXIS2PLACEMENT3D", {StepRef(location), StepNull, StepNull});
        const int placement = Placement(storeyPlacement_, axes);
        const int body = Body(BoxOf(element));
        const std::string* ifcName = element.IfcValue("Name");
        const std::string name = ifcName != nullptr && !ifcName->empty() ? *ifcName : DefaultName(project_, element);

        std::vector<std::string> attributes = {StepString(CompressedGuid(element.guid)), StepNull, StepString(name),
                                               StepNull, StepNull, StepRef(placement),
                                               body != 0 ? StepRef(body) : StepNull, StepNull};
        const std::string entity = IfcEntityOf(element);
        const auto add = [&](std::initializer_list<std::string> rest) { attributes.insert(attributes.end(), rest); };
        switch (element.type) {
            case API_WallID: add({StepEnum("NOTDEFINED")}); break;
            case API_SlabID: add({StepEnum("FLOOR")}); break;
            case API_ColumnID: add({StepEnum("COLUMN")}); break;
            case API_BeamID: add({StepEnum("BEAM")}); break;
            case API_WindowID:
                add({StepReal(element.height), StepReal(element.width), StepEnum("WINDOW"), StepEnum("NOTDEFINED"), StepNull});
                break;
            case API_DoorID:
                add({StepReal(element.height), StepReal(element.width), StepEnum("DOOR"), StepEnum("NOTDEFINED"), StepNull});
                break;
            case API_ObjectID:
                if (IsPartOfAnother(element))
                    add({StepEnum("NOTDEFINED")});
                break;  // IfcFurnishingElement has no type of its own
            default: add({StepEnum("NOTDEFINED")}); break;
        }
        const int id = file_.Add(entity, attributes);

        if (element.HasStructure() && element.structure == API_CompositeStructure)
            materials_.AssignLayers(id, element.composite, element.type == API_WallID
                                                               ? IfcMaterials::LayerDirection::Axis2
                                                               : IfcMaterials::LayerDirection::Axis3);
        else if (element.type != API_WindowID && element.type != API_DoorID && element.type != API_ObjectID &&
                 element.type != API_CurtainWallID && element.type != API_StairID)
            materials_.AssignMaterial(id, element.buildingMaterial);
        WritePropertySet(file_, project_, element, id);
        return id;
    }

    void WriteElements()
    {
        std::map<API_Guid, int> ids;
        std::vector<int> contained;
        std::map<API_Guid, std::vector<int>> partsOf;  // in listing order
        std::vector<API_Guid> owners;
        for (const auto& element : project_.elements.All()) {
            const int id = WriteElement(element);
            ids[element.guid] = id;
            if (IsPartOfAnother(element) && project_.elements.Find(element.owner) != nullptr) {
                if (partsOf.find(element.owner) == partsOf.end())
                    owners.push_back(element.owner);
                partsOf[element.owner].push_back(id);
            } else {
                contained.push_back(id);
            }
        }
        // A part belongs to its curtain wall or stair, which alone stands in the storey.
        for (const auto& owner : owners)
            Aggregate("parts of " + Sim::Utf8(APIGuidToString(owner)), ids[owner], partsOf[owner]);
        if (!contained.empty())
            file_.Add("IFCRELCONTAINEDINSPATIALSTRUCTURE",
                      {Guid("storey elements"), StepNull, StepNull, StepNull, StepRefList(contained), StepRef(storey_)});
    }

    const Model::Project& project_;
    std::string projectKey_;
    StepFile file_;
    IfcMaterials materials_;
    int origin_ = 0, up_ = 0, worldAxes_ = 0, context_ = 0, units_ = 0, storeyPlacement_ = 0, storey_ = 0;
};

std::string TimeStamp(std::time_t time)
{
    std::tm utc{};
    System::UtcTime(time, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
    return text;
}

std::string ViewDefinition(const std::string& translator)
{
    if (translator.find("Design Transfer View") != std::string::npos)
        return "DesignTransferView";
    if (translator.find("Reference View") != std::string::npos)
        return "ReferenceView";
    return "NotAssigned";
}

}  // namespace

std::string IfcEntityOf(const Element& element)
{
    switch (element.type) {
        case API_WallID: return "IFCWALL";
        case API_ColumnID: return "IFCCOLUMN";
        case API_BeamID: return "IFCBEAM";
        case API_WindowID: return "IFCWINDOW";
        case API_DoorID: return "IFCDOOR";
        case API_SlabID: return "IFCSLAB";
        case API_RoofID: return "IFCROOF";
        case API_CurtainWallID: return "IFCCURTAINWALL";
        case API_StairID: return "IFCSTAIR";
        default: return IsPartOfAnother(element) ? "IFCBUILDINGELEMENTPROXY" : "IFCFURNISHINGELEMENT";
    }
}

std::string ExportIfcText(const Model::Project& project, const IfcExportSettings& settings)
{
    // Derived GUIDs follow the project's name, so the same project exports with the same GUIDs.
    ModelExport model(project, "project " + project.info.name);
    StepHeader header;
    header.viewDefinition = ViewDefinition(settings.translator);
    header.notes = {"Translator: " + settings.translator};
    header.fileName = settings.fileName;
    header.timeStamp = TimeStamp(settings.time);
    header.preprocessorVersion = "Corvana simulated host";
    header.originatingSystem = "Archicad 27 (simulated)";
    return model.Run().Text(header);
}

}  // namespace Sim::Ifc
