#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "AdsDef.h"

namespace vplat {

RbValue ValueKindOf(int t) {
    switch (t) {
    case RTREAL:
    case RTANG: return RbValue::Real;
    case RTPOINT:
    case RT3DPOINT: return RbValue::Point;
    case RTSHORT: return RbValue::Short;
    case RTLONG: return RbValue::Long;
    case RTSTR: return RbValue::String;
    case RTENAME:
    case RTPICKS: return RbValue::Name;
    case RTLONG_PTR:
    case RTINT64: return RbValue::Int64;
    case RTNONE:
    case RTLB:
    case RTLE:
    case RTDOTE:
    case RTNIL:
    case RTT:
    case RTVOID: return RbValue::None;
    // The entity type of a selection filter (group 0, which would end a list).
    case RTDXF0: return RbValue::String;
    default: break;
    }
    // Group codes of drawing data.
    if (t == -1 || t == -2) return RbValue::Name;
    if (t == -3) return RbValue::None;
    if (t == -4) return RbValue::String;
    if (t >= 0 && t <= 9) return RbValue::String;
    if (t >= 10 && t <= 37) return RbValue::Point;
    if (t >= 38 && t <= 59) return RbValue::Real;
    if (t >= 60 && t <= 79) return RbValue::Short;
    if (t >= 90 && t <= 99) return RbValue::Long;
    if (t >= 100 && t <= 109) return RbValue::String;
    if (t >= 110 && t <= 139) return RbValue::Point;
    if (t >= 140 && t <= 149) return RbValue::Real;
    if (t >= 160 && t <= 169) return RbValue::Int64;
    if (t >= 170 && t <= 179) return RbValue::Short;
    if (t >= 210 && t <= 239) return RbValue::Point;
    if (t >= 270 && t <= 299) return RbValue::Short;
    if (t >= 300 && t <= 309) return RbValue::String;
    if (t >= 310 && t <= 319) return RbValue::Binary;
    if (t >= 320 && t <= 329) return RbValue::String;
    if (t >= 330 && t <= 369) return RbValue::Name;
    if (t >= 370 && t <= 389) return RbValue::Short;
    if (t >= 390 && t <= 399) return RbValue::String;
    if (t >= 400 && t <= 409) return RbValue::Short;
    if (t >= 410 && t <= 419) return RbValue::String;
    if (t >= 420 && t <= 429) return RbValue::Long;
    if (t >= 430 && t <= 439) return RbValue::String;
    if (t >= 440 && t <= 459) return RbValue::Long;
    if (t >= 460 && t <= 469) return RbValue::Real;
    if (t >= 470 && t <= 479) return RbValue::String;
    if (t == 999) return RbValue::String;
    if (t == 1004) return RbValue::Binary;
    if (t >= 1000 && t <= 1009) return RbValue::String;
    if (t >= 1010 && t <= 1039) return RbValue::Point;
    if (t >= 1040 && t <= 1059) return RbValue::Real;
    if (t >= 1060 && t <= 1070) return RbValue::Short;
    if (t == 1071) return RbValue::Long;
    return RbValue::None;
}

namespace {
ACHAR* DupString(const ACHAR* s) {
    if (!s) return nullptr;
    size_t n = std::wcslen(s) + 1;
    auto* d = static_cast<ACHAR*>(std::malloc(n * sizeof(ACHAR)));
    std::wmemcpy(d, s, n);
    return d;
}
}  // namespace

resbuf* CopyChain(const resbuf* rb) {
    resbuf* head = nullptr;
    resbuf** tail = &head;
    for (; rb; rb = rb->rbnext) {
        resbuf* n = acutNewRb(rb->restype);
        n->resval = rb->resval;
        RbValue kind = ValueKindOf(rb->restype);
        if (kind == RbValue::String) {
            n->resval.rstring = DupString(rb->resval.rstring);
        } else if (kind == RbValue::Binary && rb->resval.rbinary.buf) {
            n->resval.rbinary.buf = static_cast<char*>(std::malloc(static_cast<size_t>(rb->resval.rbinary.clen)));
            std::memcpy(n->resval.rbinary.buf, rb->resval.rbinary.buf, static_cast<size_t>(rb->resval.rbinary.clen));
        }
        *tail = n;
        tail = &n->rbnext;
    }
    return head;
}

namespace {
bool g_failNextNewRb = false;
}

void FailNextNewRb() { g_failNextNewRb = true; }

}  // namespace vplat

resbuf* acutNewRb(int type) {
    if (vplat::g_failNextNewRb) {
        vplat::g_failNextNewRb = false;
        return nullptr;
    }
    auto* rb = static_cast<resbuf*>(std::calloc(1, sizeof(resbuf)));
    rb->restype = static_cast<short>(type);
    return rb;
}

int acutRelRb(resbuf* rb) {
    while (rb) {
        resbuf* next = rb->rbnext;
        vplat::RbValue kind = vplat::ValueKindOf(rb->restype);
        if (kind == vplat::RbValue::String) std::free(rb->resval.rstring);
        if (kind == vplat::RbValue::Binary) std::free(rb->resval.rbinary.buf);
        std::free(rb);
        rb = next;
    }
    return RTNORM;
}

resbuf* acutBuildList(int type, ...) {
    va_list args;
    va_start(args, type);
    resbuf* head = nullptr;
    resbuf** tail = &head;
    while (type != 0 && type != RTNONE) {
        resbuf* rb = acutNewRb(type);
        switch (vplat::ValueKindOf(type)) {
        case vplat::RbValue::Real: rb->resval.rreal = va_arg(args, double); break;
        case vplat::RbValue::Point: {
            const ads_real* p = va_arg(args, const ads_real*);
            if (p) std::memcpy(rb->resval.rpoint, p, sizeof(rb->resval.rpoint));
            break;
        }
        case vplat::RbValue::Short: rb->resval.rint = static_cast<short>(va_arg(args, int)); break;
        case vplat::RbValue::Long: rb->resval.rlong = va_arg(args, int32_t); break;
        case vplat::RbValue::Int64: rb->resval.rlong64 = va_arg(args, int64_t); break;
        case vplat::RbValue::String: rb->resval.rstring = vplat::DupString(va_arg(args, const ACHAR*)); break;
        case vplat::RbValue::Name: {
            const int64_t* n = va_arg(args, const int64_t*);
            if (n) {
                rb->resval.rlname[0] = n[0];
                rb->resval.rlname[1] = n[1];
            }
            break;
        }
        case vplat::RbValue::Binary:
        case vplat::RbValue::Handle:
        case vplat::RbValue::None: break;
        }
        *tail = rb;
        tail = &rb->rbnext;
        type = va_arg(args, int);
    }
    va_end(args);
    return head;
}
