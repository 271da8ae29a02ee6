// A fresh working drawing per test, and small builders of its entities.
#pragma once

#include <gtest/gtest.h>

#include <arx.h>

#include <functional>
#include <memory>
#include <string>

#include "DrawingDump.h"
#include "DxfFile.h"
#include "HostScript.h"
#include "HostText.h"
#include "HostTranscript.h"
#include "ModelSpace.h"

class DrawingTest : public ::testing::Test {
public:
    void SetUp() override {
        m_db = std::make_unique<AcDbDatabase>();
        acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
        vplat::Script::Get().Clear();
        vplat::Transcript::Get().Clear();
    }
    void TearDown() override {
        EXPECT_TRUE(vplat::OpenObjects(m_db.get()).empty()) << "an object was left open";
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    }

    AcDbDatabase* db() { return m_db.get(); }

    // Appends to model space (or the named block) and closes it.
    AcDbObjectId Append(AcDbEntity* e, const wchar_t* block = ACDB_MODEL_SPACE) { return AppendToBlock(db(), e, block); }

    // A new block of the test's drawing, or of another one.
    AcDbObjectId AddBlock(const wchar_t* name, AcDbDatabase* in = nullptr) {
        AcDbBlockTable* bt = nullptr;
        (in ? in : db())->getBlockTable(bt, AcDb::kForWrite);
        auto* rec = new AcDbBlockTableRecord;
        rec->setName(name);
        AcDbObjectId id;
        EXPECT_EQ(bt->add(id, rec), Acad::eOk);
        rec->close();
        bt->close();
        return id;
    }

    void AddLayer(const wchar_t* name, int color = 7) {
        AcDbLayerTable* lt = nullptr;
        db()->getLayerTable(lt, AcDb::kForWrite);
        auto* l = new AcDbLayerTableRecord;
        l->setName(name);
        AcCmColor c;
        c.setColorIndex(static_cast<Adesk::UInt16>(color));
        l->setColor(c);
        EXPECT_EQ(lt->add(l), Acad::eOk);
        l->close();
        lt->close();
    }

    // Sets extended data from a chain built by the caller (released here).
    void SetXData(AcDbObjectId id, resbuf* chain) { SetXDataOf(id, chain); }
    // Appends with extended data (taken over, may be null) given before the
    // entity joins the drawing or after.
    AcDbObjectId AppendWithData(AcDbEntity* e, resbuf* chain, bool before, const wchar_t* block) {
        if (chain && before) {
            e->setXData(chain);
            acutRelRb(chain);
            chain = nullptr;
        }
        AcDbObjectId id = Append(e, block);
        if (chain) SetXData(id, chain);
        return id;
    }

    // A new layout with one square viewport of `size` paper units centred at
    // (size / 2, size / 2), looking at `target` with `viewHeight` of the model
    // in view; `shape` finishes the viewport before it is appended. Model
    // space is current again afterwards.
    void AddViewportLayout(const wchar_t* layout, double size, const AcGePoint3d& target, double viewHeight,
                           const std::function<void(AcDbViewport*)>& shape = {}) {
        ASSERT_EQ(vplat::AddLayout(db(), layout), 1);
        ASSERT_TRUE(vplat::SetCurrentLayout(db(), layout));
        auto* vp = new AcDbViewport;
        vp->setCenterPoint(AcGePoint3d(size / 2, size / 2, 0));
        vp->setWidth(size);
        vp->setHeight(size);
        vp->setViewTarget(target);
        vp->setViewHeight(viewHeight);
        if (shape) shape(vp);
        Append(vp, ACDB_PAPER_SPACE);
        ASSERT_TRUE(vplat::SetCurrentLayout(db(), L"Model"));
    }

    // The drawing written and read back into a new database.
    std::unique_ptr<AcDbDatabase> RoundTrip() {
        auto back = std::make_unique<AcDbDatabase>(false);
        std::wstring error;
        EXPECT_TRUE(vplat::ReadDxfText(vplat::WriteDxfText(db()), back.get(), &error)) << vplat::WideToUtf8(error);
        return back;
    }

    std::unique_ptr<AcDbDatabase> m_db;
};

// The dump without the next free handle, which a save may move on.
std::string DumpWithoutSeed(const AcDbDatabase* db);
