// The host's tick counter: a steady count that only moves forward, for measuring how long work took. The
// count is 32 bits wide and wraps; take differences of two readings as GSTicks.
#pragma once

#include "Definitions.hpp"

typedef UInt32 GSTicks;
typedef Int32 GSTime;

GSROOT_DLL_EXPORT GSTicks TIGetTicks();
GSROOT_DLL_EXPORT GSTicks TIGetTicksPerSec();

// A calendar date; all zero when not set.
struct GSDateRecord {
    unsigned short year;
    unsigned short month;
    unsigned short day;

    GSDateRecord() : year(0), month(0), day(0) {}
    GSDateRecord(unsigned short y, unsigned short m, unsigned short d) : year(y), month(m), day(d) {}

    bool operator==(const GSDateRecord& rOp) const { return year == rOp.year && month == rOp.month && day == rOp.day; }
    bool operator!=(const GSDateRecord& rOp) const { return !(*this == rOp); }
};
