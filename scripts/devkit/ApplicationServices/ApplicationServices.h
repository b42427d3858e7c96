// Stands in for the macOS system framework header that the kit's image and text classes name, so that the
// module's sources can be checked against the kit's headers on a machine without macOS. The kit only
// passes these types through; nothing of the module uses them.
#pragma once

typedef struct CGImage* CGImageRef;
typedef struct CGContext* CGContextRef;
typedef struct CGColorSpace* CGColorSpaceRef;
