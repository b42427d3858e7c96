// Library part records.
#pragma once

#include "APIdefs_Base.h"

constexpr int API_UniLongNameLen = 256;  // wide names: at most 255 characters and a terminator
constexpr int API_LibPartPathLen = 1024; // location of the part's file, UTF-8 with a terminator

// One library part as the host registers and reports it. A plain record: callers zero-fill it.
struct API_LibPart {
    Int32 index;                              // the part's index in the host's library part list
    wchar_t docu_UName[API_UniLongNameLen];   // document name
    wchar_t file_UName[API_UniLongNameLen];   // file name
    char ownUnID[128];                        // the part's own unique identifier
    char location[API_LibPartPathLen];        // path of the part's file
};
