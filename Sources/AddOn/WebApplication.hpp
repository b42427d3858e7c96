// Where the catalogue web application lives. The browser palette opens its base address; the calculation
// page is a route of the same application.
#pragma once

namespace QRV {

constexpr const char* WebApplicationBaseUrl = "https://app.corvana.example";
constexpr const char* CalculationsRoute = "/#/calculations";

}  // namespace QRV
