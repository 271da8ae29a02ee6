// The second pass of a drawing's reading: its objects, one at a time, into
// the database.
#include <cctype>
#include <charconv>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <string_view>

#include "AcDbDatabase.h"
#include "BlockNesting.h"
#include "DxfCursor.h"
#include "DxfFile.h"
#include "DxfReading.h"
#include "DxfSchema.h"
#include "HostText.h"

namespace vplat {

void SetLastDxfSkipped(std::vector<std::wstring> s);
void SetLastDxfRepairs(std::vector<std::wstring> r);

namespace {

using dxfread::CheckShape;
using dxfread::DxfSource;
using dxfread::Fail;
using dxfread::FailChanged;
using dxfread::FileShape;
using dxfread::Quote;
using dxfread::ReadError;
using dxfread::TagCursor;
using dxfread::Tok;
using dxfread::Trim;

// The flags of a BLOCK that make it an external reference: attached (4),
// overlaid (8), dependent on its drawing (16), resolved (32).
constexpr int64_t kXrefFlags = 4 | 8 | 16 | 32;

// One object of the file: its kind and its groups up to the next 0.
struct Record {
    std::string_view kind;
    size_t begin, end;  // token range after the 0
    int line;
};

class Reader {
public:
    explicit Reader(AcDbDatabase* db) : m_db(db) {}
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;
    // An entity still being read when a bad group stops the reading.
    ~Reader() { delete m_pending; }

    // `betweenPasses`, when set, is called once the first pass is over.
    void Run(const DxfSource& source, const std::function<void()>& betweenPasses) {
        FileShape shape = CheckShape(source);
        // Header first: the version tells how texts are encoded.
        for (size_t i = 0; i < shape.header.size();) {
            size_t j = i + 1;
            while (j < shape.header.size() && shape.header[j].code != 0) ++j;
            m_t.assign(shape.header.begin() + static_cast<std::ptrdiff_t>(i),
                       shape.header.begin() + static_cast<std::ptrdiff_t>(j));
            Header(Record{Trim(m_t[0].value), 1, m_t.size(), m_t[0].line});
            i = j;
        }
        Setup();
        m_db->store().Reserve(shape.records);
        if (betweenPasses) betweenPasses();
        // Then one object at a time: its groups are the only ones held. The
        // section's name is kept as a copy: the text it was read from moves on.
        std::string section;
        size_t headerAt = 0;
        TagCursor cursor(source, true);
        while (cursor.NextObject(m_t)) {
            const Record r{Trim(m_t[0].value), 1, m_t.size(), m_t[0].line};
            if (r.kind == "SECTION") {
                if (!section.empty()) NoEndsec(section, r.line);
                section = r.end > r.begin ? Trim(m_t[r.begin].value) : std::string_view();
                if (r.end == r.begin || section == "HEADER") SameHeader(shape, headerAt);
                continue;
            }
            if (r.kind == "ENDSEC") {
                FinishPending();
                section.clear();
                continue;
            }
            if (r.kind == "EOF") {
                if (!section.empty()) NoEndsec(section, r.line);
                break;
            }
            if (section == "TABLES") TableRecord(r);
            else if (section == "BLOCKS") BlockRecord(r);
            else if (section == "ENTITIES") EntityRecord(r, 0);
            else if (section == "OBJECTS") ObjectRecord(r);
            else CheckReals(r);
        }
        // The text read again ends where it ended and had the same header, or
        // the file is no longer the one checked.
        if (!cursor.Done() || cursor.Offset() != shape.end || headerAt != shape.header.size()) FailChanged();
        Finish();
    }

    // The groups of the header read again are the ones the first pass kept.
    void SameHeader(const FileShape& shape, size_t& at) const {
        if (shape.header.size() - at < m_t.size()) FailChanged();
        for (const Tok& t : m_t) {
            const Tok& kept = shape.header[at++];
            if (t.code != kept.code || t.line != kept.line || t.value != kept.value) FailChanged();
        }
    }

    [[noreturn]] static void NoEndsec(std::string_view section, int line) {
        Fail(line, L"the section " + Utf8ToWide(std::string(section)) + L" has no ENDSEC");
    }

    const std::vector<std::wstring>& Repairs() const { return m_repairs; }

    std::vector<std::wstring> Skipped() const {
        std::vector<std::wstring> out;
        for (const auto& [k, n] : m_skipped) out.push_back(Utf8ToWide(k) + L" x" + std::to_wstring(n));
        return out;
    }

private:
    std::wstring Text(const Tok& t) {
        std::string_view s = t.value;
        std::wstring w;
        if (m_utf8) {
            AppendWide(w, s);
            return w;
        }
        // Older files are in the Windows code page, with \U+XXXX escapes.
        static const wchar_t k80[32] = {0x20AC, 0x81,   0x201A, 0x192,  0x201E, 0x2026, 0x2020, 0x2021,
                                        0x2C6,  0x2030, 0x160,  0x2039, 0x152,  0x8D,   0x17D,  0x8F,
                                        0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x2DC,  0x2122, 0x161,  0x203A, 0x153,  0x9D,   0x17E,  0x178};
        for (size_t i = 0; i < s.size(); ++i) {
            unsigned char c = static_cast<unsigned char>(s[i]);
            if (c == '\\' && i + 6 < s.size() + 0 && s[i + 1] == 'U' && s[i + 2] == '+') {
                unsigned v = 0;
                auto r = std::from_chars(s.data() + i + 3, s.data() + i + 7, v, 16);
                if (r.ec == std::errc() && r.ptr == s.data() + i + 7) {
                    // A lone half of a UTF-16 pair is no character.
                    w += (v >= 0xD800 && v <= 0xDFFF) ? wchar_t(0xFFFD) : static_cast<wchar_t>(v);
                    i += 6;
                    continue;
                }
            }
            w += (c >= 0x80 && c < 0xA0) ? k80[c - 0x80] : static_cast<wchar_t>(c);
        }
        return w;
    }

    void Header(const Record& r) {
        CheckReals(r);
        for (size_t i = r.begin; i + 1 < r.end; ++i) {
            if (m_t[i].code != 9) continue;
            std::string_view var = Trim(m_t[i].value);
            const Tok& v = m_t[i + 1];
            if (var == "$ACADVER") m_version = std::string(Trim(v.value));
            else if (var == "$HANDSEED") m_seed = Hex(v);
            else if (var == "$CLAYER") m_clayer = std::string(v.value), m_clayerLine = v.line + 1;
            else if (var == "$TILEMODE") m_tilemode = Int(v) != 0;
        }
        m_utf8 = m_version >= "AC1021";
    }

    void Setup() {
        DrawingStore& s = m_db->store();
        s.blockTable = s.Add(new AcDbBlockTable, 0, true);
        s.layerTable = s.Add(new AcDbLayerTable, 0, true);
        s.regAppTable = s.Add(new AcDbRegAppTable, 0, true);
    }

    uint64_t HandleOf(const Record& r) {
        for (size_t i = r.begin; i < r.end; ++i)
            if (m_t[i].code == 5 || m_t[i].code == 105) return Hex(m_t[i]);
        return 0;
    }

    std::wstring Group(const Record& r, int code) {
        for (size_t i = r.begin; i < r.end; ++i)
            if (m_t[i].code == code) return Text(m_t[i]);
        return L"";
    }

    // A name of a symbol table record (2), checked as the table keeps it.
    std::wstring Name(const Record& r, SymbolTable table) {
        for (size_t i = r.begin; i < r.end; ++i)
            if (m_t[i].code == 2) {
                std::wstring name = Text(m_t[i]);
                CheckName(name, m_t[i].line + 1, table);
                return name;
            }
        return L"";
    }

    // Binary data of extended data (1004) are hexadecimal digits in pairs,
    // one pair a byte: anything else fails the file where it stands.
    static void CheckBinary(const Tok& t) {
        std::string_view v = Trim(t.value);
        bool hex = v.size() % 2 == 0;
        for (char c : v) hex = hex && std::isxdigit(static_cast<unsigned char>(c));
        if (!hex)
            Fail(t.line + 1, L"malformed binary data " + Quote(t.value) +
                                 L" for group code 1004: it must be hexadecimal digits in pairs");
    }

    // A group the reading does not keep is still checked as a kept one
    // would be when its code holds a number: a real that is no finite
    // number fails the file where it stands.
    static bool HoldsReal(int code) {
        DxfTag::Kind k = KindOfCode(code);
        return k == DxfTag::Kind::Real || k == DxfTag::Kind::Point;
    }
    void CheckReals(const Record& r) const {
        for (size_t i = r.begin; i < r.end; ++i)
            if (HoldsReal(m_t[i].code)) Real(m_t[i]);
    }

    // A name the table would refuse fails the file where it stands (an empty
    // one is dealt with where it is used).
    static void CheckName(const std::wstring& name, int line, SymbolTable table) {
        if (name.empty()) return;
        std::wstring problem = SymbolNameProblem(name, table);
        if (!problem.empty()) Fail(line, problem);
    }

    void Repaired(int line, const std::wstring& what) {
        m_repairs.push_back(L"line " + std::to_wstring(line) + L": " + what);
    }

    int64_t GroupInt(const Record& r, int code, int64_t fallback) {
        for (size_t i = r.begin; i < r.end; ++i)
            if (m_t[i].code == code) return Int(m_t[i]);
        return fallback;
    }

    template <typename R>
    AcDbObjectId AddRecord(AcDbObjectId table, R* rec, const std::wstring& name, uint64_t handle) {
        auto* t = Peek<AcDbSymbolTable>(table);
        AcDbObjectId existing = t->find(name);
        if (!existing.isNull()) {
            delete rec;
            return existing;
        }
        rec->setNameRaw(name);
        rec->m_fileHandle = handle;
        t->m_writer = true;
        AcDbObjectId id;
        Acad::ErrorStatus es = t->add(id, rec);
        t->m_writer = false;
        if (es != Acad::eOk) {
            delete rec;
            return AcDbObjectId();
        }
        rec->m_writer = false;
        return id;
    }

    void TableRecord(const Record& r) {
        CheckReals(r);
        if (r.kind == "LAYER") {
            std::wstring name = Name(r, SymbolTable::Layer);
            if (name.empty()) return;
            // Every group read before the record is made: a bad one leaks nothing.
            int64_t color = GroupInt(r, 62, 7), flags = GroupInt(r, 70, 0), plotted = GroupInt(r, 290, 1);
            if (color == 0 || color > 255 || color < -255) color = 7;
            auto* l = new AcDbLayerTableRecord;
            SetTag(l->data(), DxfTag::Int(70, flags & 7));
            SetTag(l->data(), DxfTag::Int(62, color));
            if (plotted == 0) SetTag(l->data(), DxfTag::Int(290, 0));
            AddRecord(m_db->layerTableId(), l, name, HandleOf(r));
        } else if (r.kind == "APPID") {
            std::wstring name = Name(r, SymbolTable::RegApp);
            if (!name.empty()) AddRecord(m_db->regAppTableId(), new AcDbRegAppTableRecord, name, HandleOf(r));
        } else if (r.kind == "BLOCK_RECORD") {
            std::wstring name = Name(r, SymbolTable::Block);
            if (name.empty()) return;
            AcDbObjectId id = AddRecord(m_db->blockTableId(), new AcDbBlockTableRecord, name, HandleOf(r));
            for (size_t i = r.begin; i < r.end; ++i)
                if (m_t[i].code == 340) m_blockLayoutHandle[id.stub()] = Hex(m_t[i]);
        }
    }

    AcDbObjectId BlockNamed(const std::wstring& name) {
        auto* bt = Peek<AcDbBlockTable>(m_db->blockTableId());
        AcDbObjectId id = bt->find(name);
        if (id.isNull()) id = AddRecord(m_db->blockTableId(), new AcDbBlockTableRecord, name, 0);
        return id;
    }

    void BlockRecord(const Record& r) {
        if (r.kind == "BLOCK" || r.kind == "ENDBLK") CheckReals(r);
        if (r.kind == "BLOCK") {
            FinishPending();
            std::wstring name = Name(r, SymbolTable::Block);
            if (name.empty()) Fail(r.line, L"a BLOCK without a name");
            m_block = BlockNamed(name);
            auto* b = Peek<AcDbBlockTableRecord>(m_block);
            // An external reference keeps its flags and the path of its drawing.
            if (int64_t xref = GroupInt(r, 70, 0) & kXrefFlags) {
                SetTag(b->data(), DxfTag::Int(70, xref));
                SetTag(b->data(), DxfTag::Text(1, Group(r, 1)));
            }
            for (size_t i = r.begin; i < r.end; ++i)
                if (m_t[i].code == 10) {
                    double p[3] = {Real(m_t[i]), 0, 0};
                    for (size_t j = i + 1; j < r.end && j <= i + 2; ++j) {
                        if (m_t[j].code == 20) p[1] = Real(m_t[j]);
                        if (m_t[j].code == 30) p[2] = Real(m_t[j]);
                    }
                    SetPoint(b->data(), 10, asPnt3d(p));
                }
            return;
        }
        if (r.kind == "ENDBLK") {
            FinishPending();
            m_block = AcDbObjectId();
            return;
        }
        if (!m_block.isNull()) EntityRecord(r, 1);
    }

    // Reads an entity's groups: structure (handle, owner, paper space) apart,
    // points joined, extended data into its groups, unknown codes dropped.
    void Groups(const Record& r, AcDbObject* o, uint64_t* owner, bool* paper, std::wstring* blockName) {
        // Read into a list kept between entities, then moved to the entity's.
        DxfTags& d = m_groups;
        d.clear();
        const auto* schema = EntitySchema(o);
        bool isRef = AcDbBlockReference::cast(o);
        XDataReading x{o};
        for (size_t i = r.begin; i < r.end; ++i) {
            const Tok& t = m_t[i];
            if (t.code == 102) {
                // Application groups "{NAME ... }" of owners and reactors.
                while (i + 1 < r.end && !(m_t[i + 1].code == 102 && Trim(m_t[i + 1].value) == "}")) ++i;
                ++i;
                continue;
            }
            if (t.code == 1001) {
                XDataApplication(x, r, i);
                continue;
            }
            if (t.code >= 1000 && t.code <= 1071) {
                if (t.code == 1004) CheckBinary(t);
                DxfTag tag;
                i += ReadTag(r, i, tag);
                XDataItem(x, t, std::move(tag));
                continue;
            }
            if (t.code == 8 && t.value.empty()) {
                // No layer may have an empty name: the entity stays, on the layer every drawing has.
                Repaired(t.line + 1, L"an empty layer name replaced by \"0\"");
                d.push_back(DxfTag::Text(8, L"0"));
                continue;
            }
            if (t.code == 8 && t.value != m_checkedLayer) {
                CheckName(Text(t), t.line + 1, SymbolTable::Layer);
                m_checkedLayer.assign(t.value);
            }
            switch (t.code) {
            case 5: o->m_fileHandle = Hex(t); continue;
            case 330:
                if (*owner == 0) *owner = Hex(t);
                continue;
            case 67: *paper = Int(t) != 0; continue;
            case 2:
                if (isRef) {
                    *blockName = Text(t);
                    CheckName(*blockName, t.line + 1, SymbolTable::Block);
                    continue;
                }
                break;
            case 66:
            case 100:
            case 999: continue;
            default: break;
            }
            if (!SchemaKeeps(schema, t.code)) {
                const size_t span = IsPointCode(t.code) ? PointSpan(r, i) : 0;
                for (size_t k = i; k <= i + span; ++k)
                    if (HoldsReal(m_t[k].code)) Real(m_t[k]);
                i += span;
                continue;
            }
            DxfTag tag;
            i += ReadTag(r, i, tag);
            d.push_back(std::move(tag));
        }
        CloseXData(x, r.line);
        bool layered = FindTag(d, 8);
        DxfTags& kept = o->data();
        const size_t need = d.size() + (layered ? 0 : 1);
        // The room the new object was made with is used when it is enough.
        if (kept.capacity() < need) DxfTags().swap(kept);
        kept.clear();
        kept.reserve(need);
        if (!layered) kept.push_back(DxfTag::Text(8, L"0"));
        std::move(d.begin(), d.end(), std::back_inserter(kept));
        if (auto* lw = AcDbPolyline::cast(o)) NormaliseLw(lw->data());
    }

    // Extended data of one entity as it is read: the application whose items
    // come, and the braces its items have opened.
    struct XDataReading {
        AcDbObject* o;
        bool dropping = false;  // items of an application without a name
        int depth = 0;
        int line = 0;           // the line of the application's name
    };

    void XDataApplication(XDataReading& x, const Record& r, size_t i) {
        const Tok& t = m_t[i];
        CloseXData(x, t.line);
        std::wstring app = Text(t);
        x.line = t.line;
        x.dropping = app.empty();
        if (x.dropping) {
            Repaired(t.line + 1, L"extended data without an application name dropped");
            return;
        }
        CheckName(app, t.line + 1, SymbolTable::RegApp);
        m_xdataApps.try_emplace(app, t.line + 1);
        x.o->xdataGroups().push_back({std::move(app), {}});
        // Room for the application's items (a point's y and z join its x).
        size_t items = 0;
        for (size_t j = i + 1; j < r.end && m_t[j].code != 1001 && m_t[j].code >= 1000; ++j)
            if (!(m_t[j].code >= 1020 && m_t[j].code <= 1033 && m_t[j].code % 10 <= 3)) ++items;
        x.o->xdataGroups().back().items.reserve(items);
    }

    void XDataItem(XDataReading& x, const Tok& t, DxfTag tag) {
        // Items before any application have no owner to go to.
        if (x.dropping || x.o->xdataGroups().empty()) return;
        if (t.code == 1002) {
            if (tag.s() == L"{") {
                ++x.depth;
            } else if (tag.s() == L"}") {
                if (x.depth == 0) {
                    Repaired(t.line + 1, L"a closing brace of extended data without its opening one dropped");
                    return;
                }
                --x.depth;
            } else {
                Fail(t.line + 1, L"a brace of extended data must be \"{\" or \"}\", found " + Quote(t.value));
            }
        }
        x.o->xdataGroups().back().items.push_back(std::move(tag));
    }

    // The braces an application's data left open are closed at its end.
    void CloseXData(XDataReading& x, int line) {
        if (x.depth > 0) {
            Repaired(line, std::to_wstring(x.depth) + L" brace(s) of extended data closed");
            for (; x.depth > 0; --x.depth) x.o->xdataGroups().back().items.push_back(DxfTag::Text(1002, L"}"));
        }
        x.dropping = false;
    }

    // How many y and z groups follow a point's x.
    size_t PointSpan(const Record& r, size_t i) {
        size_t n = 0;
        if (i + 1 < r.end && m_t[i + 1].code == m_t[i].code + 10) ++n;
        if (n && i + 2 < r.end && m_t[i + 2].code == m_t[i].code + 20) ++n;
        return n;
    }

    size_t ReadTag(const Record& r, size_t i, DxfTag& tag) {
        const Tok& t = m_t[i];
        if (IsPointCode(t.code)) {
            size_t n = PointSpan(r, i);
            double y = n >= 1 ? Real(m_t[i + 1]) : 0, z = n >= 2 ? Real(m_t[i + 2]) : 0;
            tag = DxfTag::Point(t.code, Real(t), y, z);
            return n;
        }
        switch (KindOfCode(t.code)) {
        case DxfTag::Kind::Real: tag = DxfTag::Real(t.code, Real(t)); break;
        case DxfTag::Kind::Int: tag = DxfTag::Int(t.code, Int(t)); break;
        default: tag = DxfTag::Text(t.code, Text(t)); break;
        }
        return 0;
    }

    // Every vertex of a lightweight polyline gets its own bulge.
    static void NormaliseLw(DxfTags& d) {
        DxfTags out;
        bool open = false, bulge = false;
        int n = 0;
        for (const DxfTag& t : d) {
            if (t.code == 10) {
                if (open && !bulge) out.push_back(DxfTag::Real(42, 0));
                open = true, bulge = false;
                ++n;
                out.push_back(t);
            } else if (t.code == 42 || t.code == 40 || t.code == 41) {
                if (!open) continue;
                if (t.code == 42) bulge = true;
                out.push_back(t);
            } else if (t.code != 90) {
                out.push_back(t);
            }
        }
        if (open && !bulge) out.push_back(DxfTag::Real(42, 0));
        out.insert(out.begin() + 1, DxfTag::Int(90, n));
        d = std::move(out);
    }

    // A kind not kept is skipped whole, its numbers checked all the same.
    void Skip(const Record& r) {
        CheckReals(r);
        ++m_skipped[std::string(r.kind)];
    }

    void EntityRecord(const Record& r, int inBlock) {
        std::wstring& kind = m_kind;
        kind.clear();
        AppendWide(kind, r.kind);
        int64_t flags = 0;
        for (size_t i = r.begin; i < r.end; ++i)
            if (m_t[i].code == 70) {
                flags = Int(m_t[i]);
                break;
            }
        bool isSub = r.kind == "VERTEX" || r.kind == "ATTRIB" || r.kind == "SEQEND";
        if (isSub) {
            if (!m_pending) {
                Skip(r);
                return;
            }
            if (r.kind == "SEQEND") {
                uint64_t h = HandleOf(r);
                if (auto* p = m_pendingList) p->seqEnd->m_fileHandle = h;
                FinishPending();
                return;
            }
            bool wantVertex = AcDb2dPolyline::cast(m_pending) || AcDb3dPolyline::cast(m_pending);
            if ((r.kind == "VERTEX") != wantVertex) {
                Skip(r);
                return;
            }
            if (AcDb3dPolyline::cast(m_pending)) flags |= 32;
            else if (wantVertex) flags &= ~int64_t(32);
            std::unique_ptr<AcDbObject> o(NewObjectOfKind(kind, flags));
            uint64_t owner = 0;
            bool paper = false;
            std::wstring bn;
            Groups(r, o.get(), &owner, &paper, &bn);
            m_pendingList->vertices.emplace_back(AcDbEntity::cast(o.release()));
            return;
        }
        FinishPending();
        std::unique_ptr<AcDbObject> o(NewObjectOfKind(kind, flags));
        auto* e = AcDbEntity::cast(o.get());
        if (!e) {
            Skip(r);
            return;
        }
        uint64_t owner = 0;
        bool paper = false;
        std::wstring blockName;
        Groups(r, e, &owner, &paper, &blockName);
        // The entity stays owned here until it is pending: a bad group below
        // stops the reading without leaking it.
        AcDbObjectId block = m_block;
        if (!inBlock) {
            DbStub* s = m_db->store().ByHandle(owner);
            if (s && AcDbBlockTableRecord::cast(s->object)) block = AcDbObjectId(s);
            else block = BlockNamed(paper ? ACDB_PAPER_SPACE : ACDB_MODEL_SPACE);
        }
        if (AcDbBlockReference::cast(e) && blockName.empty()) {
            Skip(r);
            return;
        }
        if (auto* lw = AcDbPolyline::cast(e)) {
            int64_t n = TagInt(lw->data(), 90), declared = GroupInt(r, 90, n);
            if (n < 2) {
                Repaired(r.line, L"LWPOLYLINE with " + std::to_wstring(n) + L" vertices dropped");
                return;
            }
            if (declared != n)
                Repaired(r.line, L"LWPOLYLINE vertex count " + std::to_wstring(declared) + L" replaced by the " +
                                     std::to_wstring(n) + L" vertices it holds");
        }
        if (auto* ref = AcDbBlockReference::cast(e)) {
            m_refNames.push_back({ref, blockName});
            m_refLines[ref] = r.line;
        }
        m_pending = AcDbEntity::cast(o.release());
        m_pendingLine = r.line;
        m_pendingKind = kind;
        m_pendingBlock = block;
        m_pendingList = nullptr;
        if (auto* p = AcDb2dPolyline::cast(e)) m_pendingList = &p->vertexOwner();
        else if (auto* p3 = AcDb3dPolyline::cast(e)) m_pendingList = &p3->vertexOwner();
        else if (auto* ref = AcDbBlockReference::cast(e)) m_pendingList = &ref->attributeOwner();
        else FinishPending();
    }

    // Appends the entity being read, with the vertices or attributes read so far.
    void FinishPending() {
        if (!m_pending) return;
        AcDbEntity* e = m_pending;
        m_pending = nullptr;
        if ((AcDb2dPolyline::cast(e) || AcDb3dPolyline::cast(e)) && m_pendingList->vertices.size() < 2) {
            Repaired(m_pendingLine, L"POLYLINE with " + std::to_wstring(m_pendingList->vertices.size()) +
                                        L" vertices dropped");
            m_pendingList = nullptr;
            delete e;
            return;
        }
        auto* b = Peek<AcDbBlockTableRecord>(m_pendingBlock);
        b->m_writer = true;
        AcDbObjectId id;
        const Acad::ErrorStatus es = b->appendAcDbEntity(id, e);
        b->m_writer = false;
        m_pendingList = nullptr;
        if (es != Acad::eOk) {
            // Refused by its block: it is still ours, with what it owns.
            delete e;
            Fail(m_pendingLine, L"the block refuses the " + m_pendingKind + L" (error " + std::to_wstring(es) + L")");
        }
        e->m_writer = false;
    }

    void ObjectRecord(const Record& r) {
        CheckReals(r);
        if (r.kind != "LAYOUT") return;
        std::wstring name;
        int tab = 0;
        uint64_t block = 0;
        bool inLayout = false;
        for (size_t i = r.begin; i < r.end; ++i) {
            const Tok& t = m_t[i];
            if (t.code == 100) inLayout = Trim(t.value) == "AcDbLayout";
            else if (inLayout && t.code == 1) name = Text(t);
            else if (inLayout && t.code == 71) tab = static_cast<int>(Int(t));
            else if (inLayout && t.code == 330) block = Hex(t);
        }
        if (name.empty()) return;
        m_layouts.push_back({name, tab, block, HandleOf(r)});
    }

    void Finish() {
        FinishPending();
        DrawingStore& s = m_db->store();
        m_db->store().SetNextHandle(m_seed);
        s.clayer = EnsureLayer(m_db, L"0");
        EnsureRegApp(m_db, L"ACAD");
        AcDbObjectId model = BlockNamed(ACDB_MODEL_SPACE);
        BlockNamed(ACDB_PAPER_SPACE);
        // Layouts, by tab order; the blocks of paper space without one get one.
        std::stable_sort(m_layouts.begin(), m_layouts.end(),
                         [](const LayoutRec& a, const LayoutRec& b) { return a.tab < b.tab; });
        for (const LayoutRec& l : m_layouts) {
            DbStub* bs = s.ByHandle(l.block);
            auto* b = bs ? AcDbBlockTableRecord::cast(bs->object) : nullptr;
            if (!b || b->isLayout() || !FindLayout(m_db, l.name).isNull()) continue;
            MakeLayout(l.name, b->objectId(), l.tab, l.handle);
        }
        auto* bt = Peek<AcDbBlockTable>(m_db->blockTableId());
        if (!Peek<AcDbBlockTableRecord>(model)->isLayout()) MakeLayout(L"Model", model, 0, 0);
        int n = 1;
        for (AcDbObjectId id : bt->recordIds()) {
            auto* b = Peek<AcDbBlockTableRecord>(id);
            if (b->isLayout() || b->name().rfind(L"*Paper_Space", 0) != 0) continue;
            while (!FindLayout(m_db, L"Layout" + std::to_wstring(n)).isNull()) ++n;
            MakeLayout(L"Layout" + std::to_wstring(n), id, n, 0);
        }
        std::stable_sort(s.layouts.begin(), s.layouts.end(), [](AcDbObjectId a, AcDbObjectId b) {
            return Peek<AcDbLayout>(a)->getTabOrder() < Peek<AcDbLayout>(b)->getTabOrder();
        });
        // A layout's block is drawn on its own sheet, never inserted: the
        // database refuses such a reference, and so does the reading.
        for (auto& [ref, name] : m_refNames) {
            const bool paper = name.size() >= 12 && EqualNoCase(name.substr(0, 12), ACDB_PAPER_SPACE);
            if (paper || EqualNoCase(name, ACDB_MODEL_SPACE))
                Fail(m_refLines[ref], L"a reference to \"" + name + L"\", the block of a layout: it cannot be inserted");
            ref->setBlockIdRaw(BlockNamed(name));
        }
        // A block that inserts itself, however indirectly, cannot be drawn.
        BlockCycle cycle = FindBlockCycle(m_db);
        if (!cycle.names.empty())
            Fail(m_refLines[cycle.reference], L"the block \"" + cycle.names.front() + L"\" inserts itself (" +
                                                  CycleText(cycle) + L")");
        // Extended data names applications the table must hold.
        auto* apps = Peek<AcDbRegAppTable>(m_db->regAppTableId());
        for (const auto& [app, line] : m_xdataApps)
            if (apps->find(app).isNull()) {
                EnsureRegApp(m_db, app);
                Repaired(line, L"the application \"" + app + L"\" of extended data registered");
            }
        if (!m_clayer.empty()) {
            std::wstring clayer = Text(Tok{8, 0, m_clayer});
            CheckName(clayer, m_clayerLine, SymbolTable::Layer);
            s.clayer = EnsureLayer(m_db, clayer);
        }
        s.tilemode = m_tilemode;
    }

    void MakeLayout(const std::wstring& name, AcDbObjectId block, int tab, uint64_t handle) {
        auto* l = new AcDbLayout;
        AcDbObjectId id = m_db->store().Add(l, handle, true);
        l->m_writer = true;
        l->setLayoutName(name.c_str());
        l->setBlockTableRecordId(block);
        l->m_writer = false;
        l->setTabOrder(tab);
        m_db->store().layouts.push_back(id);
    }

    struct LayoutRec {
        std::wstring name;
        int tab;
        uint64_t block, handle;
    };

    std::vector<Tok> m_t;  // the groups of the object being read, its 0 first
    AcDbDatabase* m_db;
    std::string m_version = "AC1015";
    std::string m_clayer;
    int m_clayerLine = 0;
    bool m_utf8 = false;
    bool m_tilemode = true;
    uint64_t m_seed = 0;
    AcDbObjectId m_block;
    AcDbEntity* m_pending = nullptr;
    AcDbObjectId m_pendingBlock;
    VertexOwner* m_pendingList = nullptr;
    std::vector<std::pair<AcDbBlockReference*, std::wstring>> m_refNames;
    std::map<const AcDbBlockReference*, int> m_refLines;
    std::map<std::wstring, int> m_xdataApps;  // with the line that first names each
    std::vector<std::wstring> m_repairs;
    int m_pendingLine = 0;
    std::wstring m_pendingKind;
    std::map<DbStub*, uint64_t> m_blockLayoutHandle;
    std::vector<LayoutRec> m_layouts;
    std::map<std::string, int> m_skipped;
    DxfTags m_groups;
    std::wstring m_kind;
    // The last layer name found good (never a real value at first), a copy:
    // the text it was read from moves on.
    std::string m_checkedLayer{"\n"};
};

}  // namespace

namespace {

std::function<void()> g_betweenPasses;

}  // namespace

bool dxfread::ReadSource(const DxfSource& source, AcDbDatabase* db, std::wstring* error,
                         std::vector<std::wstring>* skipped, const std::function<bool()>& sameFile) {
    try {
        Reader r(db);
        r.Run(source, g_betweenPasses);
        if (sameFile && !sameFile()) FailChanged();
        if (skipped) *skipped = r.Skipped();
        SetLastDxfSkipped(r.Skipped());
        SetLastDxfRepairs(r.Repairs());
        return true;
    } catch (const ReadError& e) {
        if (error) *error = e.message;
        return false;
    }
}

void SetDxfReadBetweenPasses(std::function<void()> call) { g_betweenPasses = std::move(call); }


}  // namespace vplat
