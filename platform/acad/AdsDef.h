// Result buffers and the codes of the host's utility and editor calls.
#pragma once

#include <cstdint>

#include "AcRx.h"

typedef double ads_real;
typedef ads_real ads_point[3];
typedef int64_t ads_name[2];
typedef ads_real ads_matrix[4][4];

enum { X = 0, Y = 1, Z = 2 };

// Result codes.
#define RTNORM 5100
#define RTERROR (-5001)
#define RTCAN (-5002)
#define RTREJ (-5003)
#define RTFAIL (-5004)
#define RTKWORD (-5005)
#define RTINPUTTRUNCATED (-5008)

// Result-buffer value types.
#define RTNONE 5000
#define RTREAL 5001
#define RTPOINT 5002
#define RTSHORT 5003
#define RTANG 5004
#define RTSTR 5005
#define RTENAME 5006
#define RTPICKS 5007
#define RTORINT 5008
#define RT3DPOINT 5009
#define RTLONG 5010
#define RTVOID 5014
#define RTLB 5016
#define RTLE 5017
#define RTDOTE 5018
#define RTNIL 5019
#define RTDXF0 5020
#define RTT 5021
#define RTRESBUF 5023
#define RTMODELESS 5027
#define RTLONG_PTR 5030
#define RTINT64 5031

union ads_u_val {
    ads_real rreal;
    ads_real rpoint[3];
    short rint;
    ACHAR* rstring;
    int32_t rlong;
    int64_t rlong64;
    int64_t mnLongPtr;
    ads_name rlname;
    unsigned char ihandle[8];
    struct {
        int32_t clen;
        char* buf;
    } rbinary;
};

struct resbuf {
    resbuf* rbnext;
    short restype;
    ads_u_val resval;
};

// A node of the given type, all values zero; strings are owned by the node.
resbuf* acutNewRb(int type);
// Releases a whole chain with its strings and binary chunks.
int acutRelRb(resbuf* rb);
// Builds a chain from (type, value) pairs ended by 0 or RTNONE. Group codes
// take the value their range carries (texts, points, reals, shorts, longs).
resbuf* acutBuildList(int type, ...);

namespace vplat {
// The kind of value a result type or group code carries.
enum class RbValue { None, Real, Point, Short, Long, String, Name, Binary, Handle, Int64 };
RbValue ValueKindOf(int restype);
// A deep copy of a chain.
resbuf* CopyChain(const resbuf* rb);
// Makes the next acutNewRb answer null, as when memory runs out (tests).
void FailNextNewRb();
}  // namespace vplat
