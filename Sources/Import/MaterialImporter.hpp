#pragma once

#include "Import/BaseImporter.hpp"
#include "Parsing/Items/CorvanaMaterial.hpp"

namespace QRV {

// One article of a "Material" document: one building material.
class MaterialImporter : public virtual BaseImporter {
public:
    explicit MaterialImporter(const Json& article);
    ~MaterialImporter() override;

    bool ImportFrom(const Json& json) override;
    bool Import() override;

private:
    ACLink link_;
    std::unique_ptr<CorvanaMaterial> item_;
};

}  // namespace QRV
