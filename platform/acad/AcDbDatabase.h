// The drawing database: its objects, symbol tables and layouts, the working
// drawing of the host, and its files (DXF, whatever the file's extension).
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <unordered_map>

#include "AcDbBlockReference.h"
#include "AcDbLine.h"
#include "AcDbSymbolTables.h"
#include "HandleMap.h"
#include "SelectionIndex.h"
#include "TaggedIndex.h"

namespace vplat {
class DrawingStore;
}

class AcDbDatabase : public AcRxObject {
public:
    // With a default drawing: layer "0", the model and paper space blocks with
    // their layouts, the application "ACAD".
    explicit AcDbDatabase(bool buildDefaultDrawing = true, bool noDocument = false);
    ~AcDbDatabase() override;
    AcDbDatabase(const AcDbDatabase&) = delete;
    AcDbDatabase& operator=(const AcDbDatabase&) = delete;

    Acad::ErrorStatus getBlockTable(AcDbBlockTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getLayerTable(AcDbLayerTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getRegAppTable(AcDbRegAppTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getSymbolTable(AcDbBlockTable*& table, AcDb::OpenMode mode) { return getBlockTable(table, mode); }
    Acad::ErrorStatus getSymbolTable(AcDbLayerTable*& table, AcDb::OpenMode mode) { return getLayerTable(table, mode); }
    Acad::ErrorStatus getSymbolTable(AcDbRegAppTable*& table, AcDb::OpenMode mode) {
        return getRegAppTable(table, mode);
    }
    AcDbObjectId blockTableId() const;
    AcDbObjectId layerTableId() const;
    AcDbObjectId regAppTableId() const;
    AcDbObjectId clayer() const;
    Acad::ErrorStatus setClayer(AcDbObjectId layer);
    // The block of model space, or of the current layout when paper space is on.
    AcDbObjectId currentSpaceId() const;
    bool tilemode() const;
    void setTilemode(bool model);
    AcDbHandle handseed() const;

    Acad::ErrorStatus getAcDbObjectId(AcDbObjectId& id, bool createIfNotFound, const AcDbHandle& handle,
                                      Adesk::UInt32 xRefId = 0);

    // Reading replaces the drawing only when the whole file reads; a failure
    // leaves the drawing as it was.
    Acad::ErrorStatus dxfIn(const ACHAR* fileName, const ACHAR* logFilename = nullptr);
    Acad::ErrorStatus dxfOut(const ACHAR* fileName, int precision = 16, int dwgVer = 0, bool saveThumbnail = false);
    // Drawings here are DXF whatever their extension. A file that does not
    // read is named on the command line with the line of its fault.
    Acad::ErrorStatus readDwgFile(const ACHAR* fileName, int shareMode = 0, bool allowCPConversion = false,
                                  const wchar_t* password = nullptr);
    // Copies the model space of the source into a block of this drawing of
    // that name (an existing one is redefined), with the layers and blocks it
    // uses: a named block this drawing has already stays as it is, anonymous
    // ones are copied as new anonymous blocks. eInvalidInput for a name that
    // is no plain block name (an anonymous or layout block's, a character a
    // block name may not hold), eSelfReference, with nothing changed, when
    // the block would insert itself.
    Acad::ErrorStatus insert(AcDbObjectId& blockId, const ACHAR* blockName, AcDbDatabase* source,
                             bool preserveSourceDatabase = true);

    // Stand-in internals.
    vplat::DrawingStore& store() { return *m_store; }
    const vplat::DrawingStore& store() const { return *m_store; }
    // Swaps the whole contents with another database.
    void swapContents(AcDbDatabase& other);

private:
    std::unique_ptr<vplat::DrawingStore> m_store;
};

class AcDbHostApplicationServices {
public:
    AcDbDatabase* workingDatabase() const;
    void setWorkingDatabase(AcDbDatabase* db);
};

AcDbHostApplicationServices* acdbHostApplicationServices();

namespace vplat {

// Handles run from 1 to this; one read beyond it is replaced by a free one.
constexpr uint64_t kMaxHandle = 0xFFFFFFFFFFFFull;

// The objects of a drawing, in creation order, and their handles.
class DrawingStore {
public:
    explicit DrawingStore(AcDbDatabase* db) : m_db(db) {}
    ~DrawingStore();

    // Gives the object (and the objects it owns) an id; the handle is kept
    // when it is free, else a new one is taken. `own`: the database deletes it.
    AcDbObjectId Add(AcDbObject* object, uint64_t handle, bool own);
    DbStub* ByHandle(uint64_t handle) const;
    // Room for that many more objects (a drawing file about to be read).
    void Reserve(size_t objects);
    uint64_t NextHandle() const { return m_nextHandle; }
    // A seed beyond the handles a drawing may use is not kept.
    void SetNextHandle(uint64_t h) {
        if (h > m_nextHandle && h <= kMaxHandle) m_nextHandle = h;
    }
    const std::vector<DbStub*>& Stubs() const { return m_stubs; }
    bool Knows(const DbStub* stub) const;

    AcDbDatabase* m_db;
    AcDbObjectId blockTable, layerTable, regAppTable;
    std::vector<AcDbObjectId> layouts;  // the model layout first, then by tab order
    AcDbObjectId clayer;
    bool tilemode = true;
    // Whole-drawing selections by type and application.
    SelectionIndex selection;
    // The suite's tagged entities by the road names their data carries.
    TaggedIndex tagged;

private:
    std::deque<DbStub> m_stubPool;  // every stub, never moved
    std::vector<DbStub*> m_stubs;     // the same, in the order they were made
    std::vector<std::unique_ptr<AcDbObject>> m_owned;
    uint64_t FreeHandle();
    AcDbObjectId Join(AcDbObject* object, uint64_t handle, bool own);

    HandleMap m_byHandle;
    uint64_t m_nextHandle = 0x20;
    uint64_t m_scan = 0x20;  // where the search for a free handle goes on once they run out
};

// The layer of that name, created with default properties when missing.
AcDbObjectId EnsureLayer(AcDbDatabase* db, const std::wstring& name);
// The application registered in the drawing, when missing.
AcDbObjectId EnsureRegApp(AcDbDatabase* db, const std::wstring& name);
// A new, empty object of a DXF kind; null for a kind the database does not
// know. POLYLINE and VERTEX need the polyline flags (70) to choose 2D or 3D.
AcDbObject* NewObjectOfKind(const std::wstring& dxfName, int64_t flags70 = 0);
// A copy of an entity, not in any drawing, with its owned entities; block
// references point at `block`.
AcDbEntity* CloneEntity(const AcDbEntity* e, AcDbObjectId block);

// Builds the default drawing into an empty database.
void BuildDefaultDrawing(AcDbDatabase* db);
// The objects of the drawing now open, as "HANDLE kind mode" texts (tests).
std::vector<std::wstring> OpenObjects(const AcDbDatabase* db);

// Layouts of paper space, as the suite's CAD extension makes them: 1 made,
// 2 a layout of that name exists, 0 failed.
int AddLayout(AcDbDatabase* db, const std::wstring& name, AcDbObjectId* layoutId = nullptr);
// Makes the layout current: its block becomes "*Paper_Space" (paper space on),
// or model space for "Model". False for an unknown name.
bool SetCurrentLayout(AcDbDatabase* db, const std::wstring& name);
std::wstring CurrentLayoutName(const AcDbDatabase* db);
AcDbObjectId FindLayout(const AcDbDatabase* db, const std::wstring& name);

// Opens without the open-mode checks: for the stand-ins' own reading and
// writing of a whole drawing, never for the modules.
template <typename T>
T* Peek(AcDbObjectId id) {
    return id.stub() && id.stub()->object ? T::cast(id.stub()->object) : nullptr;
}

}  // namespace vplat

