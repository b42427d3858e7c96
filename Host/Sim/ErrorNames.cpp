#include "ErrorNames.hpp"

#include "APIdefs_ErrorCodes.h"

#include <cstdio>

namespace Sim {

const char* ErrorName(GSErrCode code)
{
    switch (code) {
        case NoError: return "NoError";
        case APIERR_GENERAL: return "APIERR_GENERAL";
        case APIERR_MEMFULL: return "APIERR_MEMFULL";
        case APIERR_CANCEL: return "APIERR_CANCEL";
        case APIERR_BADID: return "APIERR_BADID";
        case APIERR_BADINDEX: return "APIERR_BADINDEX";
        case APIERR_BADNAME: return "APIERR_BADNAME";
        case APIERR_BADPARS: return "APIERR_BADPARS";
        case APIERR_BADPOLY: return "APIERR_BADPOLY";
        case APIERR_BADDATABASE: return "APIERR_BADDATABASE";
        case APIERR_BADWINDOW: return "APIERR_BADWINDOW";
        case APIERR_BADKEYCODE: return "APIERR_BADKEYCODE";
        case APIERR_BADPLATFORMSIGN: return "APIERR_BADPLATFORMSIGN";
        case APIERR_BADPLANE: return "APIERR_BADPLANE";
        case APIERR_BADUSERID: return "APIERR_BADUSERID";
        case APIERR_BADVALUE: return "APIERR_BADVALUE";
        case APIERR_BADELEMENTTYPE: return "APIERR_BADELEMENTTYPE";
        case APIERR_IRREGULARPOLY: return "APIERR_IRREGULARPOLY";
        case APIERR_BADEXPRESSION: return "APIERR_BADEXPRESSION";
        case APIERR_NO3D: return "APIERR_NO3D";
        case APIERR_NOMORE: return "APIERR_NOMORE";
        case APIERR_NOPLAN: return "APIERR_NOPLAN";
        case APIERR_NOLIB: return "APIERR_NOLIB";
        case APIERR_NOLIBSECT: return "APIERR_NOLIBSECT";
        case APIERR_NOSEL: return "APIERR_NOSEL";
        case APIERR_NOTEDITABLE: return "APIERR_NOTEDITABLE";
        case APIERR_NOTSUBTYPEOF: return "APIERR_NOTSUBTYPEOF";
        case APIERR_NOTEQUALMAIN: return "APIERR_NOTEQUALMAIN";
        case APIERR_NOTEQUALREVISION: return "APIERR_NOTEQUALREVISION";
        case APIERR_NOTEAMWORKPROJECT: return "APIERR_NOTEAMWORKPROJECT";
        case APIERR_NOUSERDATA: return "APIERR_NOUSERDATA";
        case APIERR_MOREUSER: return "APIERR_MOREUSER";
        case APIERR_LINKEXIST: return "APIERR_LINKEXIST";
        case APIERR_LINKNOTEXIST: return "APIERR_LINKNOTEXIST";
        case APIERR_WINDEXIST: return "APIERR_WINDEXIST";
        case APIERR_WINDNOTEXIST: return "APIERR_WINDNOTEXIST";
        case APIERR_UNDOEMPTY: return "APIERR_UNDOEMPTY";
        case APIERR_REFERENCEEXIST: return "APIERR_REFERENCEEXIST";
        case APIERR_NAMEALREADYUSED: return "APIERR_NAMEALREADYUSED";
        case APIERR_ATTREXIST: return "APIERR_ATTREXIST";
        case APIERR_DELETED: return "APIERR_DELETED";
        case APIERR_LOCKEDLAY: return "APIERR_LOCKEDLAY";
        case APIERR_HIDDENLAY: return "APIERR_HIDDENLAY";
        case APIERR_INVALFLOOR: return "APIERR_INVALFLOOR";
        case APIERR_NOTMINE: return "APIERR_NOTMINE";
        case APIERR_NOACCESSRIGHT: return "APIERR_NOACCESSRIGHT";
        case APIERR_MODULNOTINSTALLED: return "APIERR_MODULNOTINSTALLED";
        case APIERR_MODULCMDMINE: return "APIERR_MODULCMDMINE";
        case APIERR_MODULCMDNOTSUPPORTED: return "APIERR_MODULCMDNOTSUPPORTED";
        case APIERR_MODULCMDVERSNOTSUPPORTED: return "APIERR_MODULCMDVERSNOTSUPPORTED";
        case APIERR_NOMODULEDATA: return "APIERR_NOMODULEDATA";
        case APIERR_PAROVERLAP: return "APIERR_PAROVERLAP";
        case APIERR_PARMISSING: return "APIERR_PARMISSING";
        case APIERR_PAROVERFLOW: return "APIERR_PAROVERFLOW";
        case APIERR_PARIMPLICIT: return "APIERR_PARIMPLICIT";
        case APIERR_RUNOVERLAP: return "APIERR_RUNOVERLAP";
        case APIERR_RUNMISSING: return "APIERR_RUNMISSING";
        case APIERR_RUNOVERFLOW: return "APIERR_RUNOVERFLOW";
        case APIERR_RUNIMPLICIT: return "APIERR_RUNIMPLICIT";
        case APIERR_RUNPROTECTED: return "APIERR_RUNPROTECTED";
        case APIERR_EOLOVERLAP: return "APIERR_EOLOVERLAP";
        case APIERR_TABOVERLAP: return "APIERR_TABOVERLAP";
        case APIERR_NOTINIT: return "APIERR_NOTINIT";
        case APIERR_NESTING: return "APIERR_NESTING";
        case APIERR_NOTSUPPORTED: return "APIERR_NOTSUPPORTED";
        case APIERR_REFUSEDCMD: return "APIERR_REFUSEDCMD";
        case APIERR_REFUSEDPAR: return "APIERR_REFUSEDPAR";
        case APIERR_READONLY: return "APIERR_READONLY";
        case APIERR_SERVICEFAILED: return "APIERR_SERVICEFAILED";
        case APIERR_COMMANDFAILED: return "APIERR_COMMANDFAILED";
        case APIERR_NEEDSUNDOSCOPE: return "APIERR_NEEDSUNDOSCOPE";
        case APIERR_MISSINGCODE: return "APIERR_MISSINGCODE";
        case APIERR_MISSINGDEF: return "APIERR_MISSINGDEF";
        default: return nullptr;
    }
}

std::string DescribeError(GSErrCode code)
{
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(code));
    const char* name = ErrorName(code);
    if (code == NoError)
        return "NoError";
    return name != nullptr ? std::string(name) + " (" + hex + ")" : std::string(hex);
}

}  // namespace Sim
