// The skin and separator-line arrays of a composite as the host takes them: two memory handles that the
// add-on allocates, hands over with the write, and releases through the host's release call.
#pragma once

#include "APIdefs_Attributes.h"

namespace QRV {

class CompositeDefinitions {
public:
    CompositeDefinitions() = default;
    CompositeDefinitions(const CompositeDefinitions&) = delete;
    CompositeDefinitions& operator=(const CompositeDefinitions&) = delete;
    ~CompositeDefinitions();

    // Zeroed room for `skinCount` skins and `skinCount` + 1 separator lines; false when memory is short.
    bool Allocate(USize skinCount);

    API_AttributeDefExt* Defs() { return &defs_; }
    USize SkinCount() const { return skinCount_; }
    API_CWallComponent& Skin(UIndex index) { return (*defs_.cwall_compItems)[index]; }
    API_CWallLineComponent& Line(UIndex index) { return (*defs_.cwall_compLItems)[index]; }

private:
    void Release();

    API_AttributeDefExt defs_{};
    USize skinCount_ = 0;
};

// Definitions the host handed back for an existing composite, released when the reader goes.
class ExistingCompositeDefinitions {
public:
    ExistingCompositeDefinitions(API_AttributeIndex composite, short skinCount);
    ExistingCompositeDefinitions(const ExistingCompositeDefinitions&) = delete;
    ExistingCompositeDefinitions& operator=(const ExistingCompositeDefinitions&) = delete;
    ~ExistingCompositeDefinitions();

    GSErrCode Error() const { return err_; }
    // Only as many entries as the handles really hold count, whatever the header claims.
    USize SkinCount() const { return skinCount_; }
    USize LineCount() const { return lineCount_; }
    const API_CWallComponent& Skin(UIndex index) const { return (*defs_.cwall_compItems)[index]; }
    const API_CWallLineComponent& Line(UIndex index) const { return (*defs_.cwall_compLItems)[index]; }

private:
    API_AttributeDefExt defs_{};
    GSErrCode err_ = NoError;
    USize skinCount_ = 0;
    USize lineCount_ = 0;
};

}  // namespace QRV
