// A working drawing with one intersection leg prepared on it; every object
// the elements held open is closed again before the drawing goes.
#pragma once

#include <gtest/gtest.h>

#include <arx.h>

#include <memory>

#include "DatiPoliVertices.h"
#include "LegScenario.h"
#include "WorkingDrawing.h"

class LegTest : public WorkingDrawingTest {
protected:
    void TearDown() override {
        m_scenario.reset();
        WorkingDrawingTest::TearDown();
    }

    // Draws and prepares the leg; the test stops when the preparation fails.
    legs::Scenario& Prepara(const legs::Incrocio& incrocio) {
        m_scenario = std::make_unique<legs::Scenario>(incrocio, m_db.get());
        EXPECT_TRUE(m_scenario->Prepara()) << m_scenario->Errore();
        return *m_scenario;
    }

    static geomcheck::Vec2 V2(const ads_point p) { return {p[0], p[1]}; }

    std::unique_ptr<legs::Scenario> m_scenario;
};
