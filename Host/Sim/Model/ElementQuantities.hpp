// What the host calculates from an element's size: its quantities, its building-material parts and its 3D
// bounding box. The rules are the simulator's (a straight wall, a rectangular slab, a box-shaped object),
// written down in docs/project-file.md so that a test can work the expected numbers out by hand.
#pragma once

#include "Model/Attributes.hpp"
#include "Model/Elements.hpp"

#include <vector>

namespace Sim::Model {

double MeanWallThickness(const Element& wall);
double Volume(const Element& element);
API_ElementQuantity QuantitiesOf(const Element& element);
// One part per skin of a composite wall, slab or roof; one part for a basic or profiled one and for a column
// or beam; none for other kinds. Parts whose building material is 0 are left out.
std::vector<API_CompositeQuantity> MaterialPartsOf(const Element& element, const Attributes& attributes);
API_Box3D BoundsOf(const Element& element);

}  // namespace Sim::Model
