// One property of a drawing object: a DXF group code with its value. Objects
// keep their properties as an ordered list of these, so that any service can
// read or write an object by code; points are one tag (code 10 holds x, y, z).
//
// A drawing holds millions of them, so a tag is kept in 32 bytes: the value
// is a number, a point or a text, never two at once. A text of up to five
// characters lives in the tag itself, a longer one in a block of its own.
// Asking a tag for a value of another kind gives what an unset value gives:
// 0, the point (0, 0, 0) or the empty text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vplat {

class DxfTag {
public:
    enum class Kind : uint8_t { Text, Real, Int, Point };
    int16_t code = 0;
    Kind kind = Kind::Int;  // set by the makers below only

    DxfTag() noexcept : m_u{} {}
    DxfTag(const DxfTag& o);
    DxfTag(DxfTag&& o) noexcept;
    DxfTag& operator=(const DxfTag& o);
    DxfTag& operator=(DxfTag&& o) noexcept;
    ~DxfTag() { Release(); }

    static DxfTag Text(int code, std::wstring_view text);
    static DxfTag Real(int code, double value);
    static DxfTag Int(int code, int64_t value);
    static DxfTag Point(int code, double x, double y, double z);

    // The text (empty for a number or a point).
    std::wstring_view s() const { return kind == Kind::Text ? std::wstring_view(Chars(), m_len) : std::wstring_view(); }
    // The same, ended by a null character.
    const wchar_t* c_str() const { return kind == Kind::Text ? Chars() : L""; }
    // An integer's value (0 for any other kind).
    int64_t i() const { return kind == Kind::Int ? m_u.i : 0; }
    // A real's value (first item) or a point's coordinates (zeros for any other kind).
    const double* v() const { return kind == Kind::Real || kind == Kind::Point ? m_u.v : kNoPoint; }
    // Changes one coordinate of a point, or a real's value (item 0); other kinds stay as they are.
    void SetV(int item, double value) {
        if (kind == Kind::Point || (kind == Kind::Real && item == 0)) m_u.v[item] = value;
    }
    // A value as a real whatever its kind (texts give 0).
    double AsReal() const { return kind == Kind::Real ? m_u.v[0] : kind == Kind::Int ? static_cast<double>(m_u.i) : 0; }
    bool operator==(const DxfTag& o) const;

private:
    static constexpr unsigned kInline = 5;  // characters a text keeps in the tag
    static const double kNoPoint[3];
    bool OnHeap() const { return kind == Kind::Text && m_len > kInline; }
    const wchar_t* Chars() const { return OnHeap() ? m_u.heap : m_u.small; }
    void SetText(std::wstring_view text);
    void Release() noexcept {
        if (OnHeap()) delete[] m_u.heap;
    }

    uint32_t m_len = 0;  // a text's characters
    union Value {
        double v[3];
        int64_t i;
        wchar_t small[kInline + 1];
        wchar_t* heap;
    } m_u;
};

static_assert(sizeof(DxfTag) == 32, "a tag is kept small: a drawing holds millions");

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
// The same without a copy: valid while the tags stay as they are.
std::wstring_view TagTextView(const DxfTags& tags, int code, std::wstring_view fallback = {});
bool TagPoint(const DxfTags& tags, int code, double out[3]);

// Angles: files and the model hold degrees, every typed call radians.
double DegreesOf(double radians);
double RadiansOf(double degrees);
// An angle group read as radians, and set from radians (kept in degrees).
double TagAngle(const DxfTags& tags, int code);
void SetAngleTag(DxfTags& tags, int code, double radians);

}  // namespace vplat
