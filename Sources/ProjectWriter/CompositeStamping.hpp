// What a catalogue construction system carries beyond its composite: its property list, remembered on the
// composite and written onto every wall, slab or roof built of it, under the host's process window.
#pragma once

#include "APIdefs_Attributes.h"

namespace QRV {

class CorvanaComplexMaterial;

// The after-write hook of a catalogue composite; `record` is the written composite, or null to read it by
// the item's name. In a single import the model's elements are listed here; in a bulk run the run's lists
// are used, and elements are stamped only when the user asked for the model as well.
void StampCompositeProperties(CorvanaComplexMaterial& item, const API_Attribute* record);

}  // namespace QRV
