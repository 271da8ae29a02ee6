#include "DxfTag.h"

#include "AdsDef.h"

#include <cwchar>

namespace vplat {

const double DxfTag::kNoPoint[3] = {0, 0, 0};

DxfTag::DxfTag(const DxfTag& o) : code(o.code), kind(o.kind), m_len(o.m_len), m_u(o.m_u) {
    if (o.OnHeap()) {
        m_u.heap = new wchar_t[m_len + 1];
        std::wmemcpy(m_u.heap, o.m_u.heap, m_len + 1);
    }
}

DxfTag::DxfTag(DxfTag&& o) noexcept : code(o.code), kind(o.kind), m_len(o.m_len), m_u(o.m_u) {
    // The text's block changes hands: the other tag is left an empty integer.
    o.kind = Kind::Int;
    o.m_len = 0;
    o.m_u.i = 0;
}

DxfTag& DxfTag::operator=(const DxfTag& o) {
    if (this != &o) *this = DxfTag(o);
    return *this;
}

DxfTag& DxfTag::operator=(DxfTag&& o) noexcept {
    if (this == &o) return *this;
    Release();
    code = o.code, kind = o.kind, m_len = o.m_len, m_u = o.m_u;
    o.kind = Kind::Int;
    o.m_len = 0;
    o.m_u.i = 0;
    return *this;
}

void DxfTag::SetText(std::wstring_view text) {
    kind = Kind::Text;
    m_len = static_cast<uint32_t>(text.size());
    wchar_t* to = m_u.small;
    if (m_len > kInline) to = m_u.heap = new wchar_t[m_len + 1];
    if (m_len) std::wmemcpy(to, text.data(), m_len);
    to[m_len] = L'\0';
}

DxfTag DxfTag::Text(int code, std::wstring_view text) {
    DxfTag t;
    t.code = static_cast<int16_t>(code);
    t.SetText(text);
    return t;
}

DxfTag DxfTag::Real(int code, double value) {
    DxfTag t;
    t.code = static_cast<int16_t>(code);
    t.kind = Kind::Real;
    t.m_u.v[0] = value;
    return t;
}

DxfTag DxfTag::Int(int code, int64_t value) {
    DxfTag t;
    t.code = static_cast<int16_t>(code);
    t.kind = Kind::Int;
    t.m_u.i = value;
    return t;
}

DxfTag DxfTag::Point(int code, double x, double y, double z) {
    DxfTag t;
    t.code = static_cast<int16_t>(code);
    t.kind = Kind::Point;
    t.m_u.v[0] = x, t.m_u.v[1] = y, t.m_u.v[2] = z;
    return t;
}

bool DxfTag::operator==(const DxfTag& o) const {
    if (code != o.code || kind != o.kind) return false;
    switch (kind) {
    case Kind::Text: return s() == o.s();
    case Kind::Int: return m_u.i == o.m_u.i;
    case Kind::Real: return m_u.v[0] == o.m_u.v[0];
    case Kind::Point: return m_u.v[0] == o.m_u.v[0] && m_u.v[1] == o.m_u.v[1] && m_u.v[2] == o.m_u.v[2];
    }
    return false;
}

DxfTag::Kind KindOfCode(int code) {
    switch (ValueKindOf(code)) {
    case RbValue::Real: return DxfTag::Kind::Real;
    case RbValue::Point: return DxfTag::Kind::Point;
    case RbValue::Short:
    case RbValue::Long:
    case RbValue::Int64: return DxfTag::Kind::Int;
    default: return DxfTag::Kind::Text;
    }
}

bool IsPointCode(int code) {
    return (code >= 10 && code <= 18) || (code >= 110 && code <= 112) || code == 210 || (code >= 1010 && code <= 1013);
}

const DxfTag* FindTag(const DxfTags& tags, int code, int nth) {
    for (const DxfTag& t : tags)
        if (t.code == code && nth-- == 0) return &t;
    return nullptr;
}

DxfTag* FindTag(DxfTags& tags, int code, int nth) {
    for (DxfTag& t : tags)
        if (t.code == code && nth-- == 0) return &t;
    return nullptr;
}

void SetTag(DxfTags& tags, const DxfTag& tag) {
    if (DxfTag* t = FindTag(tags, tag.code)) *t = tag;
    else tags.push_back(tag);
}

void RemoveTags(DxfTags& tags, int code) {
    std::erase_if(tags, [code](const DxfTag& t) { return t.code == code; });
}

double TagReal(const DxfTags& tags, int code, double fallback) {
    const DxfTag* t = FindTag(tags, code);
    return t ? t->AsReal() : fallback;
}

int64_t TagInt(const DxfTags& tags, int code, int64_t fallback) {
    const DxfTag* t = FindTag(tags, code);
    if (!t) return fallback;
    return t->kind == DxfTag::Kind::Int ? t->i() : static_cast<int64_t>(t->v()[0]);
}

std::wstring_view TagTextView(const DxfTags& tags, int code, std::wstring_view fallback) {
    const DxfTag* t = FindTag(tags, code);
    return t && t->kind == DxfTag::Kind::Text ? t->s() : fallback;
}

std::wstring TagText(const DxfTags& tags, int code, const std::wstring& fallback) {
    return std::wstring(TagTextView(tags, code, fallback));
}

namespace {
constexpr double kPi = 3.14159265358979323846;
}

// Divided by pi first: whole degrees then come out whole (30, not 29.999999999999996).
double DegreesOf(double radians) { return radians / kPi * 180.0; }
double RadiansOf(double degrees) { return degrees / 180.0 * kPi; }

double TagAngle(const DxfTags& tags, int code) { return RadiansOf(TagReal(tags, code)); }

void SetAngleTag(DxfTags& tags, int code, double radians) { SetTag(tags, DxfTag::Real(code, DegreesOf(radians))); }

bool TagPoint(const DxfTags& tags, int code, double out[3]) {
    const DxfTag* t = FindTag(tags, code);
    if (!t || t->kind != DxfTag::Kind::Point) return false;
    out[0] = t->v()[0], out[1] = t->v()[1], out[2] = t->v()[2];
    return true;
}

}  // namespace vplat
