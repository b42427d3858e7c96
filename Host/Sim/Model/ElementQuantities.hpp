// What the host calculates from an element's geometry: its quantities, its building-material parts and its
// 3D bounding box. The rules are the simulator's (straight, trapezoid and polygonal walls that their
// windows and doors cut, rectangular slabs and roofs with rectangular holes, columns with a veneer or a
// profile of several building materials, curtain walls of frames and panels, stairs of treads and risers),
// written down in docs/project-file.md so that a test can work the expected numbers out by hand.
#pragma once

#include "Model/Project.hpp"

#include <vector>

namespace Sim::Model {

double MeanWallThickness(const Element& wall);
// Windows and doors whose hole is smaller than `minOpeningSize` (square metres, the add-on's
// API_QuantityPar) do not reduce a wall's surfaces and volume.
API_ElementQuantity QuantitiesOf(const Element& element, const Project& project, double minOpeningSize);
// One part per skin of a composite wall, slab or roof; one part for a basic or profiled wall, slab or roof;
// for a column its core and its veneer, or its section parts; for a beam its section parts or its one
// building material; none for other kinds. Parts whose building material is 0 are left out.
std::vector<API_CompositeQuantity> MaterialPartsOf(const Element& element, const Project& project,
                                                  double minOpeningSize);
API_Box3D BoundsOf(const Element& element);

}  // namespace Sim::Model
