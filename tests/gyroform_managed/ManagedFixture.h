// What the managed API tests share: a working drawing with the module's
// constructor started, the sample plan of three branches read into a
// roundabout made through the managed factory, and the edges and axes found
// through the wrappers.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "AsseRamo.h"
#include "Ciglio3D.h"
#include "GyroformCodici.h"
#include "GyroformConstructor.h"
#include "GyroformFactory.h"
#include "HostTranscript.h"
#include "ManiglieGyroform.h"
#include "PuntoCiglio.h"
#include "RoundaboutScenarios.h"
#include "Rotatoria3D.h"
#include "WinMessageBox.h"
#include "WorkingDrawing.h"
#include "ZylEntityID.h"

class ManagedTest : public WorkingDrawingTest {
protected:
    void SetUp() override {
        WorkingDrawingTest::SetUp();
        GyroformMain::avvia();
        vplat::MessageBoxes::Clear();
        vplat::Transcript::Get().Clear();
    }
    void TearDown() override {
        if (m_rotatoria) m_rotatoria->liberaPtr();
        ManiglieGyroform::Get().Svuota();
        GyroformMain::ferma();
        WorkingDrawingTest::TearDown();
    }
    // Draws the plan and reads it, through the managed calls, into a new
    // roundabout; the handle text of the plan's first entity.
    std::wstring Leggi() {
        std::vector<AcDbObjectId> ids =
            rotatorie::Disegna(rotatorie::Campioni().front().rotatorie.front(), m_db.get());
        std::wstring handle = ZylEntityID(ids.front()).GetHandle();
        m_rotatoria = GyroformFactory::allocaRotatoria();
        EXPECT_EQ(m_rotatoria->disegna(std::make_shared<EntityIDMgd>(handle)), 1);
        return handle;
    }
    template <typename T>
    static std::vector<std::shared_ptr<T>> Membri(const std::shared_ptr<IGroup>& gruppo) {
        std::vector<std::shared_ptr<T>> out;
        for (int i = 0; gruppo && i < gruppo->Count(); ++i)
            out.push_back(std::dynamic_pointer_cast<T>(gruppo->Member(i)->GetObject()));
        return out;
    }
    // The first edge of that code.
    std::shared_ptr<ICiglio3D> Ciglio(int codice) {
        for (const auto& c : Membri<ICiglio3D>(m_rotatoria->getCigli()))
            if (c && c->getCodiceEnum() == codice) return c;
        return nullptr;
    }

    std::shared_ptr<IRotatoria3D> m_rotatoria;
};
