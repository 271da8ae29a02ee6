// Junctor's resources in a module of their own, made current as every
// command makes them.
#pragma once

#include "UiFixture.h"

extern "C" const vplat::ResourceTable vplatResourceSection;

class JunctorUiFixture : public UiFixture {
protected:
    static inline const HMODULE kJunctor = reinterpret_cast<HMODULE>(0x4A00);

    void SetUp() override {
        UiFixture::SetUp();
        vplat::Resources::Register(kJunctor, &vplatResourceSection);
        AfxSetResourceHandle(kJunctor);
    }
    void TearDown() override {
        AfxSetResourceHandle(GetModuleHandleW(nullptr));
        vplat::Resources::Register(kJunctor, nullptr);
        UiFixture::TearDown();
    }
};
