// The module's start and stop, called by the loader.
#include <windows.h>

#include "GyroformConstructor.h"
#include "TranslatorBinding.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE /*istanza*/, DWORD motivo, LPVOID /*riservato*/) {
    switch (motivo) {
        case DLL_PROCESS_ATTACH:
            GyroformMain::avvia();
            // Without the translation service texts stay as they are.
            LoadTranslatorDll(L"Gyroform.arx");
            break;
        case DLL_PROCESS_DETACH:
            GyroformMain::ferma();
            FreeTranslatorDll();
            break;
        default:
            break;
    }
    return TRUE;
}
