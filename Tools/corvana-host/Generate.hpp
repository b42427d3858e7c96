// `generate`: a project of a chosen size for measuring the add-on at model scale. The catalogue side
// (building materials, composites, library parts, stair and curtain-wall products, their classification,
// property definitions, values and stored texts) is written by the add-on itself, through the page's
// "import" with generated catalogue items; the model's elements are then laid out around what was imported.
#pragma once

#include "Commands.hpp"

namespace CorvanaHost {

Command GenerateCommand();

}  // namespace CorvanaHost
