// Run-time binding of the suite's translation service (QvTranslatorDll.dll).
// Unbound, every text passes through unchanged.
#pragma once

#include <afx.h>

// Binds the service under the module's file name ("Junctor.arx"); shows a
// message box and answers false when the library or a required export is missing.
bool LoadTranslatorDll(LPCWSTR moduleFileName);
// Releases this module's binding.
void FreeTranslatorDll();
// The translation of a text in one buffer shared by every call: the next call
// overwrites it. Unbound, a copy of the text.
LPCWSTR TranslateText(LPCWSTR text);
// Translates a dialog's texts; called right after its base initialisation.
BOOL TranslateDialog(HWND dialog);
void FilterDictionary(LPCWSTR libraryName);
// Keeps the part of a path before its last backslash; no backslash: empty.
void StripFileName(CString& path);
// Whether the service is bound (for callers that report it).
bool IsTranslatorBound();
