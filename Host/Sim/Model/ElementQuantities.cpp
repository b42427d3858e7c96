#include "Model/ElementQuantities.hpp"
#include "AttributeIndex.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Sim::Model {
namespace {

double NotBelowZero(double value) { return value > 0.0 ? value : 0.0; }

// A polygonal wall's plan is its own polygon; the other kinds are a band of the wall's length.
double WallPlanArea(const Element& wall)
{
    if (wall.wallGeometry == APIWtyp_Poly && wall.planArea > 0.0)
        return wall.planArea;
    return wall.length * MeanWallThickness(wall);
}

// How deep an opening cuts: the wall's plan spread over its length.
double CutDepth(const Element& wall) { return wall.length > 0.0 ? WallPlanArea(wall) / wall.length : 0.0; }

double NumberOf(const LibraryPartRecord& part, const std::string& name)
{
    if (name.empty())
        return 0.0;
    for (const auto& parameter : part.parameters)
        if (parameter.name == name)
            return parameter.number;
    return 0.0;
}

// The hole a window or door makes: its nominal size and the oversizes its library part names.
struct OpeningSize {
    double width = 0.0, height = 0.0;                  // of the hole in the wall
    double nominalWidth = 0.0, nominalHeight = 0.0;  // of the unit
};

OpeningSize SizeOf(const Element& opening, const Project& project)
{
    OpeningSize size{opening.width, opening.height, opening.width, opening.height};
    const auto& parts = project.libraries.parts;
    if (opening.HasLibraryPart() && static_cast<size_t>(opening.libraryPart.index) <= parts.size()) {
        const LibraryPartRecord& part = parts[static_cast<size_t>(opening.libraryPart.index) - 1];
        size.width += NotBelowZero(NumberOf(part, part.details.leftOversize)) +
                      NotBelowZero(NumberOf(part, part.details.rightOversize));
        size.height += NotBelowZero(NumberOf(part, part.details.upperOversize)) +
                       NotBelowZero(NumberOf(part, part.details.lowerOversize));
    }
    return size;
}

struct WallOpenings {
    double windowsSurface = 0.0, doorsSurface = 0.0;
    double windowsWidth = 0.0, doorsWidth = 0.0;
    double cutSurface = 0.0;  // of the openings large enough to be taken out of the wall
};

// The windows and doors that sit in the wall, as the model indexes them. Holes smaller than
// `minOpeningSize` (square metres) still count as the wall's windows and doors, but the wall keeps its
// surfaces and volume where they are.
WallOpenings OpeningsOf(const Element& wall, const Project& project, double minOpeningSize)
{
    WallOpenings openings;
    for (const UInt32 position : project.elements.OpeningPositionsOf(wall.guid)) {
        const Element& element = project.elements.At(position);
        const OpeningSize size = SizeOf(element, project);
        if (size.width * size.height >= minOpeningSize)
            openings.cutSurface += size.width * size.height;
        if (element.type == API_WindowID) {
            openings.windowsSurface += size.width * size.height;
            openings.windowsWidth += size.width;
        } else {
            openings.doorsSurface += size.width * size.height;
            openings.doorsWidth += size.width;
        }
    }
    return openings;
}

// The face of a wall, the plan of a slab or roof, with what cuts it taken away.
double NetLayeredArea(const Element& element, const Project& project, double minOpeningSize)
{
    if (element.type == API_WallID)
        return NotBelowZero(element.length * element.height - OpeningsOf(element, project, minOpeningSize).cutSurface);
    double holes = 0.0;
    for (const Hole& hole : element.holes)
        holes += hole.length * hole.width;
    return NotBelowZero(element.length * element.width - holes);
}

// Face times thickness, in that order, unless the plan is a polygon of its own: the same bits as before.
double WallGrossVolume(const Element& wall)
{
    if (wall.wallGeometry == APIWtyp_Poly && wall.planArea > 0.0)
        return wall.planArea * wall.height;
    return wall.length * wall.height * MeanWallThickness(wall);
}

double NetLayeredVolume(const Element& element, const Project& project, double minOpeningSize)
{
    if (element.type == API_WallID) {
        const double gross = WallGrossVolume(element);
        return NotBelowZero(gross - OpeningsOf(element, project, minOpeningSize).cutSurface * CutDepth(element));
    }
    return NetLayeredArea(element, project, minOpeningSize) * element.thickness;
}

void FillWall(const Element& wall, const Project& project, double minOpeningSize, API_WallQuantity& q)
{
    const WallOpenings openings = OpeningsOf(wall, project, minOpeningSize);
    const double face = wall.length * wall.height;
    const double planArea = WallPlanArea(wall);
    q.grossVolume = WallGrossVolume(wall);
    q.volume = NotBelowZero(q.grossVolume - openings.cutSurface * CutDepth(wall));
    q.grossSurf1 = q.grossSurf2 = face;
    q.surface1 = q.surface2 = NotBelowZero(face - openings.cutSurface);
    q.surface3 = (wall.thickness + wall.endThickness) * wall.height;
    q.windowsSurf = openings.windowsSurface;
    q.doorsSurf = openings.doorsSurface;
    q.windowsWidth = openings.windowsWidth;
    q.doorsWidth = openings.doorsWidth;
    q.length = q.length12 = q.length34 = q.centerLength = q.refLineLength = wall.length;
    q.minHeight = q.maxHeight = wall.height;
    q.area = planArea;
    q.perimeter = 2.0 * wall.length + wall.thickness + wall.endThickness;
}

void FillSlab(const Element& slab, const Project& project, API_SlabQuantity& q)
{
    const double gross = slab.length * slab.width;
    const double net = NetLayeredArea(slab, project, 0.0);
    q.perimeter = 2.0 * (slab.length + slab.width);
    for (const Hole& hole : slab.holes)
        q.holesPrm += 2.0 * (hole.length + hole.width);
    q.holesSurf = gross - net;
    q.topSurface = q.bottomSurface = q.grossTopSurfWithHoles = q.grossBotSurfWithHoles = net;
    q.volume = q.grossVolumeWithHoles = net * slab.thickness;
    q.edgeSurface = q.grossEdgeSurfWithHoles = (q.perimeter + q.holesPrm) * slab.thickness;
    q.grossTopSurf = q.grossBotSurf = gross;
    q.grossEdgeSurf = q.perimeter * slab.thickness;
    q.grossVolume = gross * slab.thickness;
}

void FillRoof(const Element& roof, const Project& project, API_RoofQuantity& q)
{
    const double gross = roof.length * roof.width;
    const double net = NetLayeredArea(roof, project, 0.0);
    q.perimeter = 2.0 * (roof.length + roof.width);
    for (const Hole& hole : roof.holes)
        q.holesPrm += 2.0 * (hole.length + hole.width);
    q.holesSurf = gross - net;
    q.topSurface = q.bottomSurface = net;
    q.volume = net * roof.thickness;
    q.edgeSurface = (q.perimeter + q.holesPrm) * roof.thickness;
    q.grossTopSurf = q.grossBotSurf = q.contourArea = gross;
    q.grossEdgeSurf = q.perimeter * roof.thickness;
    q.grossVolume = gross * roof.thickness;
    q.numOfHoles = static_cast<Int32>(roof.holes.size());
}

double SectionPartsArea(const Element& element)
{
    double area = 0.0;
    for (const SectionPart& part : element.sectionParts)
        area += part.area;
    return area;
}

// A column's core: its section parts, or the rectangle of its length and width.
double ColumnCoreSection(const Element& column)
{
    return column.sectionParts.empty() ? column.length * column.width : SectionPartsArea(column);
}

double ColumnVeneerSection(const Element& column)
{
    if (column.veneer.buildingMaterial == 0)
        return 0.0;
    const double t = column.veneer.thickness;
    return (column.length + 2.0 * t) * (column.width + 2.0 * t) - column.length * column.width;
}

void FillColumn(const Element& column, API_ColumnQuantity& q)
{
    const double t = column.veneer.buildingMaterial != 0 ? column.veneer.thickness : 0.0;
    const double core = ColumnCoreSection(column);
    const double veneer = ColumnVeneerSection(column);
    q.coreVolume = q.coreGrossVolume = core * column.height;
    q.veneVolume = q.veneGrossVolume = veneer * column.height;
    q.coreSurface = q.coreGrossSurf = 2.0 * (column.length + column.width) * column.height;
    q.veneSurface = q.veneGrossSurf =
        t > 0.0 ? 2.0 * (column.length + column.width + 4.0 * t) * column.height : 0.0;
    q.coreTopSurf = q.coreBotSurf = core;
    q.veneTopSurf = q.veneBotSurf = veneer;
    q.coreGrossTopBotSurf = 2.0 * core;
    q.veneGrossTopBotSurf = 2.0 * veneer;
    q.minHeight = q.maxHeight = column.height;
    q.area = q.crossSectionAreaCutBegin = q.crossSectionAreaCutEnd = core + veneer;
    q.perimeter = 2.0 * (column.length + column.width + 4.0 * t);
}

// A beam's section stands across its length: width by height, or its section parts.
double BeamSection(const Element& beam)
{
    return beam.sectionParts.empty() ? beam.width * beam.height : SectionPartsArea(beam);
}

void FillBeam(const Element& beam, API_BeamQuantity& q)
{
    q.area = q.topSurface = q.bottomSurface = beam.length * beam.width;
    q.rightLength = q.leftLength = beam.length;
    q.edgeSurfaceLeft = q.edgeSurfaceRight = beam.length * beam.height;
    q.edgeSurface = 2.0 * beam.width * beam.height;
    q.crossSectionAreaCutBegin = q.crossSectionAreaCutEnd = BeamSection(beam);
    q.volume = beam.sectionParts.empty() ? beam.length * beam.width * beam.height : BeamSection(beam) * beam.length;
}

void FillOpening(const Element& opening, const Project& project, API_WindowQuantity& q)
{
    const OpeningSize size = SizeOf(opening, project);
    const Element* wall = opening.wall == APINULLGuid ? nullptr : project.elements.Find(opening.wall);
    const double depth = wall != nullptr ? CutDepth(*wall) : opening.thickness;
    q.width1 = q.width2 = size.width;
    q.height1 = q.height2 = size.height;
    q.surface1 = q.surface2 = size.width * size.height;
    q.nWidth1 = q.nWidth2 = size.nominalWidth;
    q.nHeight1 = q.nHeight2 = size.nominalHeight;
    q.nSurface1 = q.nSurface2 = q.grossSurf = q.surface = size.nominalWidth * size.nominalHeight;
    q.volume = size.width * size.height * depth;
    q.grossVolume = size.nominalWidth * size.nominalHeight * opening.thickness;
}

bool IsPartOf(const Element& part, const Element& owner, API_ElemTypeID ownerType)
{
    return part.type == API_ObjectID && part.ownerType == ownerType && part.owner == owner.guid;
}

void FillCurtainWall(const Element& curtainWall, const Project& project, API_CurtainWallQuantity& q)
{
    q.length = curtainWall.length;
    q.height = curtainWall.height;
    q.contourSurface = q.boundarySurface = curtainWall.length * curtainWall.height;
    double frameFaces = 0.0;
    for (const UInt32 position : project.elements.PartPositionsOf(curtainWall.guid)) {
        const Element& frame = project.elements.At(position);
        if (!IsPartOf(frame, curtainWall, API_CurtainWallFrameID))
            continue;
        // A frame stands in the wall's plane: along x or up z, as wide as its other extent there.
        const bool vertical = frame.height >= frame.length;
        const double along = vertical ? frame.height : frame.length;
        q.framesLength += along;
        (vertical ? q.mainaxisFramesLength : q.secaxisFramesLength) += along;
        frameFaces += frame.length * frame.height;
    }
    q.panelsSurface = NotBelowZero(q.contourSurface - frameFaces);
}

void FillStair(const Element& stair, const Project& project, API_StairQuantity& q)
{
    q.volume = stair.length * stair.width * stair.height / 2.0;
    q.area = stair.width * stair.height;
    q.height = stair.height;
    q.walklineLength = stair.length;
    q.gradient = stair.length > 0.0 || stair.height > 0.0 ? std::atan2(stair.height, stair.length) : 0.0;
    for (const UInt32 position : project.elements.PartPositionsOf(stair.guid)) {
        const Element& part = project.elements.At(position);
        if (IsPartOf(part, stair, API_RiserID))
            ++q.numOfRisers;
        else if (IsPartOf(part, stair, API_TreadID))
            ++q.numOfTreads;
    }
}

}  // namespace

double MeanWallThickness(const Element& wall) { return (wall.thickness + wall.endThickness) / 2.0; }

API_ElementQuantity QuantitiesOf(const Element& element, const Project& project, double minOpeningSize)
{
    API_ElementQuantity quantities;
    std::memset(&quantities, 0, sizeof quantities);
    switch (element.type) {
        case API_WallID: FillWall(element, project, minOpeningSize, quantities.wall); break;
        case API_SlabID: FillSlab(element, project, quantities.slab); break;
        case API_RoofID: FillRoof(element, project, quantities.roof); break;
        case API_ColumnID: FillColumn(element, quantities.column); break;
        case API_BeamID: FillBeam(element, quantities.beam); break;
        case API_WindowID:
        case API_DoorID: FillOpening(element, project, quantities.window); break;
        case API_ObjectID:
            quantities.symb.volume = element.length * element.width * element.height;
            quantities.symb.surface = 2.0 * (element.length * element.width + element.width * element.height +
                                             element.length * element.height);
            break;
        case API_CurtainWallID: FillCurtainWall(element, project, quantities.cw); break;
        case API_StairID: FillStair(element, project, quantities.stair); break;
        default: break;
    }
    return quantities;
}

std::vector<API_CompositeQuantity> MaterialPartsOf(const Element& element, const Project& project,
                                                  double minOpeningSize)
{
    std::vector<API_CompositeQuantity> parts;
    auto add = [&parts](Int32 material, double volume, double projectedArea, short flags) {
        if (material != 0)
            parts.push_back({volume, projectedArea, IndexOf(material), flags});
    };
    if (element.HasStructure()) {
        const double area = NetLayeredArea(element, project, minOpeningSize);
        const double volume = NetLayeredVolume(element, project, minOpeningSize);
        const Composite* composite = element.structure == API_CompositeStructure
                                         ? project.attributes.composites.FindByIndex(element.composite)
                                         : nullptr;
        if (composite != nullptr) {
            const double total = composite->totalThickness;
            for (const auto& skin : composite->skins)
                add(skin.buildingMaterial, total > 0.0 ? volume * skin.thickness / total : 0.0, area, skin.flags);
        } else if (element.structure != API_CompositeStructure) {
            add(element.buildingMaterial, volume, area, 0);
        }
    } else if (element.type == API_ColumnID) {
        if (element.sectionParts.empty()) {
            add(element.buildingMaterial, element.length * element.width * element.height,
                element.length * element.width, 0);
        } else {
            for (const SectionPart& part : element.sectionParts)
                add(part.buildingMaterial, part.area * element.height, part.area, 0);
        }
        add(element.veneer.buildingMaterial, ColumnVeneerSection(element) * element.height,
            ColumnVeneerSection(element), 0);
    } else if (element.type == API_BeamID) {
        const double section = BeamSection(element);
        if (element.sectionParts.empty()) {
            add(element.buildingMaterial, element.length * element.width * element.height,
                element.length * element.width, 0);
        } else {
            for (const SectionPart& part : element.sectionParts)
                add(part.buildingMaterial, part.area * element.length,
                    section > 0.0 ? element.length * element.width * part.area / section : 0.0, 0);
        }
    }
    return parts;
}

API_Box3D BoundsOf(const Element& element)
{
    double dx = element.length, dy = element.width, dz = element.height;
    switch (element.type) {
        case API_WallID: dy = std::max(element.thickness, element.endThickness); break;
        case API_SlabID:
        case API_RoofID: dz = element.thickness; break;
        case API_ColumnID: {
            const double t = element.veneer.buildingMaterial != 0 ? element.veneer.thickness : 0.0;
            dx += 2.0 * t;
            dy += 2.0 * t;
            break;
        }
        case API_WindowID:
        case API_DoorID:
            dx = element.width;
            dy = element.thickness;
            break;
        case API_CurtainWallID: dy = 0.0; break;
        default: break;
    }
    const Point3& o = element.origin;
    return {o.x, o.y, o.z, o.x + dx, o.y + dy, o.z + dz};
}

}  // namespace Sim::Model
