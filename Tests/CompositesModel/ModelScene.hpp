// Walls, slabs and roofs built of composites, placed into the simulated project for the composite tests
// that need the model: the element is added to the project, then built of its composite through the
// host's own element change, as a user's edit would.
#pragma once

#include "ACAPinc.h"
#include "Host.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace QRVTest {

inline API_Guid PlaceElement(Sim::Host& host, API_ElemTypeID type, Int32 composite)
{
    Sim::Model::Element placed;
    placed.guid = host.NewProjectGuid();
    placed.type = type;
    host.GetProject().elements.Add(placed);
    const GSErrCode err = ACAPI_CallUndoableCommand("Place element", [&]() -> GSErrCode {
        API_Element element{};
        element.header.guid = placed.guid;
        if (GSErrCode readErr = ACAPI_Element_Get(&element); readErr != NoError)
            return readErr;
        switch (type) {
            case API_WallID:
                element.wall.modelElemStructureType = API_CompositeStructure;
                element.wall.composite = ACAPI_CreateAttributeIndex(composite);
                break;
            case API_SlabID:
                element.slab.modelElemStructureType = API_CompositeStructure;
                element.slab.composite = ACAPI_CreateAttributeIndex(composite);
                break;
            case API_RoofID:
                element.roof.shellBase.modelElemStructureType = API_CompositeStructure;
                element.roof.shellBase.composite = ACAPI_CreateAttributeIndex(composite);
                break;
            default: break;
        }
        API_Element mask;
        ACAPI_ELEMENT_MASK_SETFULL(mask);
        return ACAPI_Element_Change(&element, &mask, nullptr, 0, true);
    });
    EXPECT_EQ(err, NoError) << "placing an element of type " << type;
    return placed.guid;
}

// The composite the element is built of, 0 when it cannot be read.
inline Int32 CompositeOf(const API_Guid& guid)
{
    API_Element element{};
    element.header.guid = guid;
    if (ACAPI_Element_Get(&element) != NoError)
        return 0;
    switch (element.header.type.typeID) {
        case API_WallID: return element.wall.composite.ToInt32_Deprecated();
        case API_SlabID: return element.slab.composite.ToInt32_Deprecated();
        case API_RoofID: return element.roof.shellBase.composite.ToInt32_Deprecated();
        default: return 0;
    }
}

inline const Sim::Model::Element* ElementIn(Sim::Host& host, const API_Guid& guid)
{
    return host.GetProject().elements.Find(guid);
}

// The names of the undo steps recorded since the transcript began.
inline std::vector<std::string> UndoStepNames(Sim::Host& host)
{
    std::vector<std::string> names;
    for (const auto& event : host.GetTranscript().EventsOfKind("undo"))
        names.push_back(event.at("name").get<std::string>());
    return names;
}

}  // namespace QRVTest
