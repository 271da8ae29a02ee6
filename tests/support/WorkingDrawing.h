// A fresh working drawing for each test; at the end no object may be left
// open and no selection set unreleased.
#pragma once

#include <gtest/gtest.h>

#include <arx.h>

#include <memory>

class WorkingDrawingTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_db = std::make_unique<AcDbDatabase>();
        acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
    }
    void TearDown() override {
        EXPECT_TRUE(vplat::OpenObjects(m_db.get()).empty()) << "an object was left open";
        EXPECT_EQ(vplat::OpenSelectionSets(), 0);
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    }

    std::unique_ptr<AcDbDatabase> m_db;
};
