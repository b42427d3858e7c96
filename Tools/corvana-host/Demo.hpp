// `corvana-host demo`: the sample project, the sample catalogue items imported through the page's script
// object, the status report and the calculation data, with a readable summary and the files to look at.
#pragma once

#include "Commands.hpp"

namespace CorvanaHost {

CommandAction PrepareDemo(const std::vector<std::string>& arguments);

}  // namespace CorvanaHost
