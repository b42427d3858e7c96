// Before the calculation reads the property lists stored on building materials, they are brought into the
// one form the import writes. A list already in that form (every list this add-on wrote) is left alone, so
// the usual refresh only reads; a list that cannot be read is left alone too, for nothing may be lost.
#pragma once

#include <optional>
#include <string>

namespace QRV {

class StoredMaterialRefresh {
public:
    // The stored form of a property list text, when it differs from the text; nothing when the text is
    // already in that form or is no property list.
    static std::optional<std::string> RewrittenText(const std::string& storedText);

    // Walks every building material that carries user data; answers how many lists were rewritten.
    int Run();
};

}  // namespace QRV
