// The value forms of an ISO 10303-21 exchange file ("STEP physical file"), as IFC files use them.
#pragma once

#include <string>
#include <vector>

namespace Sim::Ifc {

// A string literal: apostrophes doubled, backslashes doubled, characters outside printable ASCII written
// as \X2\hhhh\X0\ (UTF-16 code units) and \X4\hhhhhhhh\X0\ beyond. Bytes that are no UTF-8 become U+FFFD,
// so a damaged name never makes the file unreadable.
std::string StepString(const std::string& utf8);

// A real: always with a decimal point ("8.", "0.015", "1.E-05"); the shortest text that reads back exactly.
std::string StepReal(double value);

std::string StepRef(int id);                              // #12
std::string StepEnum(const std::string& name);            // .NAME.
std::string StepList(const std::vector<std::string>& items);  // (a,b,c)
std::string StepRefList(const std::vector<int>& ids);     // (#1,#2)

constexpr const char* StepNull = "$";
constexpr const char* StepDerived = "*";

}  // namespace Sim::Ifc
