#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "AcDbDatabase.h"
#include "DxfFile.h"
#include "DxfSchema.h"
#include "HostText.h"

namespace vplat {

namespace {

std::wstring g_lastError;
std::vector<std::wstring> g_lastSkipped;
std::vector<std::wstring> g_lastRepairs;

class TagWriter {
public:
    // Into `out`; with a file, the text goes to it whenever a large piece is
    // ready, so that a drawing is never held whole as text.
    explicit TagWriter(std::string& out, std::FILE* file = nullptr) : m_out(out), m_file(file) {}

    // Codes are right-aligned in three columns, as the format's writers do.
    void Code(int code) {
        char buf[8] = {' ', ' ', ' ', ' ', ' '};
        char* end = buf + (code >= 1000 ? 4 : 3);
        char* p = end;
        *end = '\n';
        do {
            *--p = static_cast<char>('0' + code % 10);
            code /= 10;
        } while (code > 0 && p > buf);
        m_out.append(buf, static_cast<size_t>(end - buf) + 1);
    }
    void Str(int code, std::string_view s) {
        Code(code);
        size_t at = m_out.size();
        m_out.append(s);
        EndValue(at);
    }
    void Str(int code, std::wstring_view s) {
        Code(code);
        size_t at = m_out.size();
        AppendUtf8(m_out, s);
        EndValue(at);
    }
    void Str(int code, const char* s) { Str(code, std::string_view(s)); }
    void Str(int code, const wchar_t* s) { Str(code, std::wstring_view(s)); }
    void Int(int code, int64_t v) {
        Code(code);
        char buf[24];
        auto r = std::to_chars(buf, buf + sizeof buf, v);
        m_out.append(buf, r.ptr);
        m_out += '\n';
        Spill();
    }
    void Real(int code, double v) {
        Code(code);
        if (!std::isfinite(v)) v = 0;
        char buf[32];
        // Shortest text that reads back to the same double, C locale.
        auto r = std::to_chars(buf, buf + sizeof buf, v);
        std::string_view t(buf, static_cast<size_t>(r.ptr - buf));
        m_out.append(t);
        if (t.find_first_of(".e") == std::string_view::npos) m_out += ".0";
        m_out += '\n';
        Spill();
    }
    void Point(int code, const double* p, bool withZ = true) {
        Real(code, p[0]);
        Real(code + 10, p[1]);
        if (withZ) Real(code + 20, p[2]);
    }
    // Hexadecimal, upper case.
    void Handle(int code, uint64_t h) {
        Code(code);
        char buf[24];
        auto r = std::to_chars(buf, buf + sizeof buf, h, 16);
        for (char* c = buf; c != r.ptr; ++c)
            if (*c >= 'a') *c = static_cast<char>(*c - 'a' + 'A');
        m_out.append(buf, r.ptr);
        m_out += '\n';
        Spill();
    }
    void Tag(const DxfTag& t) {
        switch (t.kind) {
        case DxfTag::Kind::Text: Str(t.code, t.s()); break;
        case DxfTag::Kind::Int: Int(t.code, t.i()); break;
        case DxfTag::Kind::Real: Real(t.code, t.v()[0]); break;
        case DxfTag::Kind::Point: Point(t.code, t.v()); break;
        }
    }
    // What is still held goes to the file; false when the file took less.
    bool Flush() {
        if (m_file && !m_out.empty()) {
            if (std::fwrite(m_out.data(), 1, m_out.size(), m_file) != m_out.size()) m_failed = true;
            m_out.clear();
        }
        return !m_failed;
    }

private:
    // A value is one line: line breaks inside a text would split the pair.
    void EndValue(size_t at) {
        for (size_t i = at; i < m_out.size(); ++i)
            if (m_out[i] == '\n' || m_out[i] == '\r') m_out[i] = ' ';
        m_out += '\n';
        Spill();
    }
    void Spill() {
        if (m_file && m_out.size() >= kPiece) Flush();
    }

    static constexpr size_t kPiece = 1 << 20;
    std::string& m_out;
    std::FILE* m_file;
    bool m_failed = false;
};

class Writer {
public:
    Writer(const AcDbDatabase* db, std::string& out, std::FILE* file = nullptr) : m_db(db), w(out, file) {
        m_next = db->store().NextHandle();
    }

    void Run() {
        Prepare();
        Header();
        w.Str(0, "SECTION");
        w.Str(2, "CLASSES");
        w.Str(0, "ENDSEC");
        Tables();
        Blocks();
        Entities();
        Objects();
        w.Str(0, "EOF");
    }
    bool Flush() { return w.Flush(); }

private:
    // A handle for an object the model does not keep, free in the drawing.
    uint64_t New() {
        for (;;) {
            uint64_t h = m_next++;
            if (h == 0 || h > kMaxHandle) {
                m_next = 1;
                continue;
            }
            if (!m_db->store().ByHandle(h)) return h;
        }
    }
    static uint64_t H(AcDbObjectId id) { return id.stub() ? id.stub()->handle : 0; }

    template <typename T>
    std::vector<T*> Records(AcDbObjectId table) {
        std::vector<T*> out;
        if (auto* t = Peek<AcDbSymbolTable>(table))
            for (AcDbObjectId id : t->recordIds())
                if (auto* r = Peek<T>(id); r && !r->isErased()) out.push_back(r);
        return out;
    }

    void Prepare() {
        m_blocks = Records<AcDbBlockTableRecord>(m_db->blockTableId());
        for (AcDbObjectId id : m_db->store().layouts)
            if (auto* l = Peek<AcDbLayout>(id); l && !l->isErased()) m_layouts.push_back(l);
        m_hVport = New(), m_hLtype = New(), m_hStyle = New(), m_hView = New(), m_hUcs = New(), m_hDim = New();
        m_hVportRec = New(), m_hByBlock = New(), m_hByLayer = New(), m_hContinuous = New(), m_hStandard = New();
        m_hDimStandard = New();
        m_hRoot = New(), m_hGroups = New(), m_hLayoutDict = New();
        for (size_t i = 0; i < m_blocks.size(); ++i) m_blockBegin.push_back({New(), New()});
        m_seed = New();
    }

    void Header() {
        w.Str(0, "SECTION");
        w.Str(2, "HEADER");
        w.Str(9, "$ACADVER");
        w.Str(1, "AC1021");
        w.Str(9, "$DWGCODEPAGE");
        w.Str(3, "ANSI_1252");
        w.Str(9, "$HANDSEED");
        w.Handle(5, m_seed);
        double zero[3] = {0, 0, 0};
        w.Str(9, "$INSBASE");
        w.Point(10, zero);
        auto* clayer = Peek<AcDbLayerTableRecord>(m_db->clayer());
        w.Str(9, "$CLAYER");
        w.Str(8, clayer ? clayer->name() : std::wstring(L"0"));
        w.Str(9, "$TILEMODE");
        w.Int(70, m_db->tilemode() ? 1 : 0);
        w.Str(0, "ENDSEC");
    }

    void TableHead(const char* name, uint64_t h, size_t count) {
        w.Str(0, "TABLE");
        w.Str(2, name);
        w.Handle(5, h);
        w.Str(330, "0");
        w.Str(100, "AcDbSymbolTable");
        w.Int(70, static_cast<int64_t>(count));
    }

    void RecordHead(const char* kind, uint64_t h, uint64_t table, const char* sub) {
        w.Str(0, kind);
        w.Handle(5, h);
        w.Handle(330, table);
        w.Str(100, "AcDbSymbolTableRecord");
        w.Str(100, sub);
    }

    void Ltype(uint64_t h, const char* name, const char* description) {
        RecordHead("LTYPE", h, m_hLtype, "AcDbLinetypeTableRecord");
        w.Str(2, name);
        w.Int(70, 0);
        w.Str(3, description);
        w.Int(72, 65);
        w.Int(73, 0);
        w.Real(40, 0.0);
    }

    void Tables() {
        w.Str(0, "SECTION");
        w.Str(2, "TABLES");

        TableHead("VPORT", m_hVport, 1);
        RecordHead("VPORT", m_hVportRec, m_hVport, "AcDbViewportTableRecord");
        w.Str(2, "*Active");
        w.Int(70, 0);
        double ll[3] = {0, 0, 0}, ur[3] = {1, 1, 0};
        w.Point(10, ll, false);
        w.Point(11, ur, false);
        AcDbExtents ext = ModelExtents();
        double c[3] = {0, 0, 0};
        double height = 100;
        if (!ext.isEmpty()) {
            c[0] = (ext.minPoint().x + ext.maxPoint().x) / 2;
            c[1] = (ext.minPoint().y + ext.maxPoint().y) / 2;
            height = std::max(ext.maxPoint().y - ext.minPoint().y, (ext.maxPoint().x - ext.minPoint().x) / 1.5) * 1.1;
            if (height <= 0) height = 100;
        }
        w.Point(12, c, false);
        w.Real(40, height);
        w.Real(41, 1.5);
        w.Str(0, "ENDTAB");

        TableHead("LTYPE", m_hLtype, 3);
        Ltype(m_hByBlock, "ByBlock", "");
        Ltype(m_hByLayer, "ByLayer", "");
        Ltype(m_hContinuous, "Continuous", "Solid line");
        w.Str(0, "ENDTAB");

        auto layers = Records<AcDbLayerTableRecord>(m_db->layerTableId());
        TableHead("LAYER", H(m_db->layerTableId()), layers.size());
        for (auto* l : layers) {
            RecordHead("LAYER", H(l->objectId()), H(m_db->layerTableId()), "AcDbLayerTableRecord");
            w.Str(2, l->name());
            w.Int(70, TagInt(l->data(), 70) & 7);
            w.Int(62, TagInt(l->data(), 62, 7));
            w.Str(6, "Continuous");
            if (!l->isPlottable()) w.Int(290, 0);
            w.Int(370, -3);
        }
        w.Str(0, "ENDTAB");

        TableHead("STYLE", m_hStyle, 1);
        RecordHead("STYLE", m_hStandard, m_hStyle, "AcDbTextStyleTableRecord");
        w.Str(2, "Standard");
        w.Int(70, 0);
        w.Real(40, 0.0);
        w.Real(41, 1.0);
        w.Real(50, 0.0);
        w.Int(71, 0);
        w.Real(42, 2.5);
        w.Str(3, "txt");
        w.Str(4, "");
        w.Str(0, "ENDTAB");

        TableHead("VIEW", m_hView, 0);
        w.Str(0, "ENDTAB");
        TableHead("UCS", m_hUcs, 0);
        w.Str(0, "ENDTAB");

        auto apps = Records<AcDbRegAppTableRecord>(m_db->regAppTableId());
        TableHead("APPID", H(m_db->regAppTableId()), apps.size());
        for (auto* a : apps) {
            RecordHead("APPID", H(a->objectId()), H(m_db->regAppTableId()), "AcDbRegAppTableRecord");
            w.Str(2, a->name());
            w.Int(70, 0);
        }
        w.Str(0, "ENDTAB");

        TableHead("DIMSTYLE", m_hDim, 1);
        w.Str(100, "AcDbDimStyleTable");
        w.Int(71, 0);
        w.Str(0, "DIMSTYLE");
        w.Handle(105, m_hDimStandard);
        w.Handle(330, m_hDim);
        w.Str(100, "AcDbSymbolTableRecord");
        w.Str(100, "AcDbDimStyleTableRecord");
        w.Str(2, "Standard");
        w.Int(70, 0);
        w.Str(0, "ENDTAB");

        TableHead("BLOCK_RECORD", H(m_db->blockTableId()), m_blocks.size());
        for (auto* b : m_blocks) {
            RecordHead("BLOCK_RECORD", H(b->objectId()), H(m_db->blockTableId()), "AcDbBlockTableRecord");
            w.Str(2, b->name());
            auto* layout = Peek<AcDbLayout>(b->getLayoutId());
            if (layout && !layout->isErased()) w.Handle(340, H(layout->objectId()));
            else w.Str(340, "0");
            w.Int(70, 0);
            w.Int(280, 1);
            w.Int(281, 0);
        }
        w.Str(0, "ENDTAB");
        w.Str(0, "ENDSEC");
    }

    AcDbExtents ModelExtents() {
        AcDbExtents ext;
        auto* bt = Peek<AcDbBlockTable>(m_db->blockTableId());
        auto* model = bt ? Peek<AcDbBlockTableRecord>(bt->find(ACDB_MODEL_SPACE)) : nullptr;
        if (!model) return ext;
        for (AcDbObjectId id : model->entityIds()) {
            auto* e = Peek<AcDbEntity>(id);
            AcDbExtents x;
            if (e && !e->isErased() && e->getGeomExtents(x) == Acad::eOk) ext.addExt(x);
        }
        return ext;
    }

    bool IsPaper(const AcDbBlockTableRecord* b) const { return b->isLayout() && !EqualNoCase(b->name(), ACDB_MODEL_SPACE); }
    bool InEntitiesSection(const AcDbBlockTableRecord* b) const {
        return EqualNoCase(b->name(), ACDB_MODEL_SPACE) || EqualNoCase(b->name(), ACDB_PAPER_SPACE);
    }

    void Blocks() {
        w.Str(0, "SECTION");
        w.Str(2, "BLOCKS");
        for (size_t i = 0; i < m_blocks.size(); ++i) {
            const AcDbBlockTableRecord* b = m_blocks[i];
            uint64_t bh = H(b->objectId());
            bool paper = IsPaper(b);
            w.Str(0, "BLOCK");
            w.Handle(5, m_blockBegin[i].first);
            w.Handle(330, bh);
            w.Str(100, "AcDbEntity");
            if (paper) w.Int(67, 1);
            w.Str(8, "0");
            w.Str(100, "AcDbBlockBegin");
            w.Str(2, b->name());
            int64_t flags = b->isAnonymous() ? 1 : 0;
            if (b->hasAttributeDefinitions()) flags |= 2;
            // An external reference's own flags, and its drawing's path.
            flags |= TagInt(b->data(), 70);
            w.Int(70, flags);
            AcGePoint3d o = b->origin();
            w.Point(10, asDblArray(o));
            w.Str(3, b->name());
            w.Str(1, b->pathName());
            if (!InEntitiesSection(b)) EntitiesOf(b, paper);
            w.Str(0, "ENDBLK");
            w.Handle(5, m_blockBegin[i].second);
            w.Handle(330, bh);
            w.Str(100, "AcDbEntity");
            if (paper) w.Int(67, 1);
            w.Str(8, "0");
            w.Str(100, "AcDbBlockEnd");
        }
        w.Str(0, "ENDSEC");
    }

    void Entities() {
        w.Str(0, "SECTION");
        w.Str(2, "ENTITIES");
        for (auto* b : m_blocks)
            if (InEntitiesSection(b)) EntitiesOf(b, IsPaper(b));
        w.Str(0, "ENDSEC");
    }

    void EntitiesOf(const AcDbBlockTableRecord* b, bool paper) {
        std::vector<AcDbObject*> subs;
        for (AcDbObjectId id : b->entityIds()) {
            auto* e = Peek<AcDbEntity>(id);
            if (!e || e->isErased()) continue;
            const auto* schema = EntitySchema(e);
            if (!schema) continue;
            Entity(e, *schema, H(b->objectId()), paper);
            subs.clear();
            e->subObjects(subs);
            for (AcDbObject* s : subs) {
                auto* se = AcDbEntity::cast(s);
                if (!se || (se->isErased() && !AcDbSequenceEnd::cast(se))) continue;
                if (const auto* subSchema = EntitySchema(se)) Entity(se, *subSchema, H(e->objectId()), paper);
            }
        }
    }

    void Entity(const AcDbEntity* e, const std::vector<DxfSubclass>& schema, uint64_t owner, bool paper) {
        const DxfTags& d = e->data();
        w.Str(0, e->dxfName());
        uint64_t h = H(e->objectId());
        w.Handle(5, h ? h : New());
        w.Handle(330, owner);
        w.Str(100, "AcDbEntity");
        if (paper) w.Int(67, 1);
        const DxfTag* layer = FindTag(d, 8);
        w.Str(8, layer && layer->kind == DxfTag::Kind::Text ? layer->s() : std::wstring_view(L"0"));
        for (int code : {62, 370, 420})
            if (const DxfTag* t = FindTag(d, code)) w.Tag(*t);
        auto* ref = AcDbBlockReference::cast(e);
        bool withVertices = AcDb2dPolyline::cast(e) || AcDb3dPolyline::cast(e);
        auto* lw = AcDbPolyline::cast(e);
        bool viewport = AcDbViewport::cast(e);
        for (const DxfSubclass& sub : schema) {
            w.Str(100, sub.marker);
            if (ref) {
                std::vector<AcDbObject*> attrs;
                ref->subObjects(attrs);
                if (!attrs.empty()) w.Int(66, 1);
                auto* block = Peek<AcDbBlockTableRecord>(ref->blockTableRecord());
                w.Str(2, block ? block->name() : std::wstring(L"*Unknown"));
            }
            if (withVertices) w.Int(66, 1);
            if (lw) {
                // Vertices keep their order: each point with its widths and bulge.
                w.Int(90, static_cast<int64_t>(lw->numVerts()));
                w.Int(70, TagInt(d, 70));
                for (int code : {43, 38, 39})
                    if (const DxfTag* t = FindTag(d, code)) w.Tag(*t);
                for (const DxfTag& t : d)
                    if (t.code == 10) w.Point(10, t.v(), false);
                    else if (t.code == 40 || t.code == 41 || t.code == 42) w.Tag(t);
                if (const DxfTag* t = FindTag(d, 210)) w.Tag(*t);
                continue;
            }
            for (int code : sub.codes) {
                for (const DxfTag& t : d) {
                    if (t.code != code) continue;
                    if (viewport && code == 12) w.Point(12, t.v(), false);
                    else w.Tag(t);
                }
            }
        }
        for (const XDataGroup& g : e->xdataGroups()) {
            w.Str(1001, g.app);
            for (const DxfTag& t : g.items) w.Tag(t);
        }
    }

    void Objects() {
        w.Str(0, "SECTION");
        w.Str(2, "OBJECTS");
        w.Str(0, "DICTIONARY");
        w.Handle(5, m_hRoot);
        w.Str(330, "0");
        w.Str(100, "AcDbDictionary");
        w.Int(281, 1);
        w.Str(3, "ACAD_GROUP");
        w.Handle(350, m_hGroups);
        w.Str(3, "ACAD_LAYOUT");
        w.Handle(350, m_hLayoutDict);
        w.Str(0, "DICTIONARY");
        w.Handle(5, m_hGroups);
        w.Handle(330, m_hRoot);
        w.Str(100, "AcDbDictionary");
        w.Int(281, 1);
        w.Str(0, "DICTIONARY");
        w.Handle(5, m_hLayoutDict);
        w.Handle(330, m_hRoot);
        w.Str(100, "AcDbDictionary");
        w.Int(281, 1);
        for (auto* l : m_layouts) {
            w.Str(3, l->name());
            w.Handle(350, H(l->objectId()));
        }
        for (auto* l : m_layouts) Layout(l);
        w.Str(0, "ENDSEC");
    }

    void Layout(const AcDbLayout* l) {
        w.Str(0, "LAYOUT");
        w.Handle(5, H(l->objectId()));
        w.Handle(330, m_hLayoutDict);
        w.Str(100, "AcDbPlotSettings");
        w.Str(1, "");
        w.Str(2, "none_device");
        w.Str(4, "");
        w.Str(6, "");
        for (int code : {40, 41, 42, 43, 44, 45, 46, 47, 48, 49}) w.Real(code, 0.0);
        w.Real(140, 0.0);
        w.Real(141, 0.0);
        w.Real(142, 1.0);
        w.Real(143, 1.0);
        w.Int(70, l->modelType() ? 1712 : 688);
        w.Int(72, 1);
        w.Int(73, 0);
        w.Int(74, 5);
        w.Str(7, "");
        w.Int(75, 16);
        w.Int(76, 0);
        w.Int(77, 2);
        w.Int(78, 300);
        w.Real(147, 1.0);
        w.Real(148, 0.0);
        w.Real(149, 0.0);
        w.Str(100, "AcDbLayout");
        w.Str(1, l->name());
        w.Int(70, 1);
        w.Int(71, l->getTabOrder());
        double zero[3] = {0, 0, 0}, lim[3] = {420, 297, 0}, one[3] = {1, 0, 0}, yaxis[3] = {0, 1, 0};
        w.Point(10, zero, false);
        w.Point(11, lim, false);
        w.Point(12, zero);
        w.Point(14, zero);
        w.Point(15, lim);
        w.Real(146, 0.0);
        w.Point(13, zero);
        w.Point(16, one);
        w.Point(17, yaxis);
        w.Int(76, 0);
        w.Handle(330, H(l->getBlockTableRecordId()));
    }

    const AcDbDatabase* m_db;
    TagWriter w;
    uint64_t m_next;
    std::vector<AcDbBlockTableRecord*> m_blocks;
    std::vector<AcDbLayout*> m_layouts;
    std::vector<std::pair<uint64_t, uint64_t>> m_blockBegin;
    uint64_t m_hVport = 0, m_hLtype = 0, m_hStyle = 0, m_hView = 0, m_hUcs = 0, m_hDim = 0, m_hVportRec = 0;
    uint64_t m_hByBlock = 0, m_hByLayer = 0, m_hContinuous = 0, m_hStandard = 0, m_hDimStandard = 0;
    uint64_t m_hRoot = 0, m_hGroups = 0, m_hLayoutDict = 0, m_seed = 0;
};

}  // namespace

std::string WriteDxfText(const AcDbDatabase* db) {
    std::string out;
    out.reserve(1 << 20);
    Writer(db, out).Run();
    return out;
}

bool WriteDxfFile(const std::string& path, const AcDbDatabase* db, std::wstring* error) {
    // Written beside the file and moved over it whole: a failure never
    // leaves half a drawing under the file's name.
    std::string part = path + ".part";
    bool ok = false;
    if (std::FILE* f = std::fopen(part.c_str(), "wb")) {
        std::string piece;
        piece.reserve(2 << 20);
        Writer writer(db, piece, f);
        writer.Run();
        ok = writer.Flush();
        ok = std::fclose(f) == 0 && ok;
    }
    if (!ok || std::rename(part.c_str(), path.c_str()) != 0) {
        std::remove(part.c_str());
        if (error) *error = L"cannot write " + Utf8ToWide(path);
        return false;
    }
    return true;
}

void SetLastDxfError(const std::wstring& error) { g_lastError = error; }
const std::wstring& LastDxfError() { return g_lastError; }
const std::vector<std::wstring>& LastDxfSkipped() { return g_lastSkipped; }
void SetLastDxfSkipped(std::vector<std::wstring> s) { g_lastSkipped = std::move(s); }
const std::vector<std::wstring>& LastDxfRepairs() { return g_lastRepairs; }
void SetLastDxfRepairs(std::vector<std::wstring> r) { g_lastRepairs = std::move(r); }

}  // namespace vplat
