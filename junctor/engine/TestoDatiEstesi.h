// Texts as the intersection's extended data carries them.
#pragma once

#include <afx.h>

// At most 255 bytes once written in UTF-8, the platform's limit for a text of
// extended data, cut before the first character that would not fit.
CString TestoDatiEstesi(const CString& testo);
