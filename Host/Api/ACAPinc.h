// The host's add-on interface: include this to reach every ACAPI_ function family.
#pragma once

#include "ACAPI_Binding.hpp"
#include "ACAPI_Attributes.h"
#include "ACAPI_Classification.h"
#include "ACAPI_Command.h"
#include "ACAPI_Elements.h"
#include "ACAPI_Properties.h"
#include "ACAPI_Registration.h"
#include "ACAPI_UserData.h"
#include "APIdefs_Base.h"
#include "GSRoot/Array.hpp"
#include "GSRoot/Debug.hpp"
#include "GSRoot/Guid.hpp"
#include "GSRoot/Handle.hpp"
#include "GSRoot/UniString.hpp"
#include "ResourceManager.hpp"
