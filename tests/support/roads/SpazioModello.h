// A drawing's model space open for the generators to append their entities:
// their layers made and their applications registered first, as the suite
// does before it draws.
#pragma once

#include <initializer_list>
#include <string>

#include "AdsDef.h"
#include "arx.h"

namespace roads {

class SpazioModello {
public:
    // Makes the layers that are missing and opens model space for writing;
    // throws std::runtime_error when the drawing refuses either.
    SpazioModello(AcDbDatabase* database, std::initializer_list<const wchar_t*> layers);
    ~SpazioModello();
    SpazioModello(const SpazioModello&) = delete;
    SpazioModello& operator=(const SpazioModello&) = delete;

    // Puts the entity on the layer with the extended data (its applications
    // registered) and appends it; the entity is taken over either way.
    // Throws std::runtime_error when the drawing refuses it.
    AcDbObjectId Aggiungi(AcDbEntity* entita, const std::wstring& layer, const resbuf* datiEstesi);

private:
    AcDbDatabase* m_database;
    AcDbBlockTableRecord* m_modello = nullptr;
};

}  // namespace roads
