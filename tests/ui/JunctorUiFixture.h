// A module's resources made current, as every command of the module makes
// them; Junctor's own in a module of their own.
#pragma once

#include "UiFixture.h"

extern "C" const vplat::ResourceTable vplatResourceSection;

class ResourceFixture : public UiFixture {
protected:
    ResourceFixture(HMODULE module, const vplat::ResourceTable* table) : m_module(module), m_table(table) {}
    void SetUp() override {
        UiFixture::SetUp();
        vplat::Resources::Register(m_module, m_table);
        AfxSetResourceHandle(m_module);
    }
    void TearDown() override {
        AfxSetResourceHandle(GetModuleHandleW(nullptr));
        vplat::Resources::Register(m_module, nullptr);
        UiFixture::TearDown();
    }

private:
    HMODULE m_module;
    const vplat::ResourceTable* m_table;
};

class JunctorUiFixture : public ResourceFixture {
protected:
    JunctorUiFixture() : ResourceFixture(reinterpret_cast<HMODULE>(0x4A00), &vplatResourceSection) {}
};
