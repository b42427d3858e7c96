// The three stores in which the add-on remembers what it imported, each holding the JSON text of a
// property list: attribute user data, element user data, and module data entries "CV_" + name.
#pragma once

#include "APIdefs_Attributes.h"

#include <string>

namespace QRV {

GSErrCode AddUserData(const API_Attribute& attribute, const std::string& data);
// NoError, APIERR_NOUSERDATA (silently) when the attribute carries none, or another host error (reported).
GSErrCode GetUserData(const API_Attribute& attribute, std::string& data);
GSErrCode SetElementUserData(const API_Guid& elemGuid, const std::string& data);
// NoError, APIERR_NOUSERDATA (silently) when the element carries none, or another host error (reported).
GSErrCode GetElementUserData(const API_Guid& elemGuid, std::string& data);

// Module data entry names: "CV_" followed by the library part's or the element's name.
GS::UniString NamedPropertiesEntry(const GS::UniString& name);
GSErrCode StoreNamedProperties(const GS::UniString& name, const std::string& data);
// The text of the entry of exactly this name, whatever its data version; false when it cannot be read.
bool ReadModuleDataEntry(const GS::UniString& entry, std::string& data, Int32* dataVersion = nullptr);
// True when the entry exists with data version 1 and `data` then holds its text.
bool ReadNamedProperties(const GS::UniString& name, std::string& data);
bool NamedPropertiesExist(const GS::UniString& name);

}  // namespace QRV
