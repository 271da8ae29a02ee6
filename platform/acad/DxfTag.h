// One property of a drawing object: a DXF group code with its value. Objects
// keep their properties as an ordered list of these, so that any service can
// read or write an object by code; points are one tag (code 10 holds x, y, z).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vplat {

struct DxfTag {
    enum class Kind : uint8_t { Text, Real, Int, Point };
    int16_t code = 0;
    Kind kind = Kind::Int;
    double v[3] = {0, 0, 0};
    int64_t i = 0;
    std::wstring s;

    static DxfTag Text(int code, std::wstring text);
    static DxfTag Real(int code, double value);
    static DxfTag Int(int code, int64_t value);
    static DxfTag Point(int code, double x, double y, double z);
    // A value as a real whatever its kind (texts give 0).
    double AsReal() const { return kind == Kind::Real ? v[0] : kind == Kind::Int ? static_cast<double>(i) : 0; }
    bool operator==(const DxfTag& o) const;
};

using DxfTags = std::vector<DxfTag>;

// The value kind a group code carries in drawing data; handles and binary
// chunks are reported as Text (kept as hexadecimal text).
DxfTag::Kind KindOfCode(int code);
// Whether the code starts a point (10 to 18, 110 to 112, 210, 1010 to 1013 ...).
bool IsPointCode(int code);

const DxfTag* FindTag(const DxfTags& tags, int code, int nth = 0);
DxfTag* FindTag(DxfTags& tags, int code, int nth = 0);
// Replaces the first tag of the code, or appends one.
void SetTag(DxfTags& tags, const DxfTag& tag);
void RemoveTags(DxfTags& tags, int code);

double TagReal(const DxfTags& tags, int code, double fallback = 0);
int64_t TagInt(const DxfTags& tags, int code, int64_t fallback = 0);
std::wstring TagText(const DxfTags& tags, int code, const std::wstring& fallback = L"");
bool TagPoint(const DxfTags& tags, int code, double out[3]);

// Angles: files and the model hold degrees, every typed call radians.
double DegreesOf(double radians);
double RadiansOf(double degrees);
// An angle group read as radians, and set from radians (kept in degrees).
double TagAngle(const DxfTags& tags, int code);
void SetAngleTag(DxfTags& tags, int code, double radians);

}  // namespace vplat
