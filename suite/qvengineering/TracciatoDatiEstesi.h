// How an alignment's own data ride on its entity as extended data (the
// layout is described in docs/drawing-format.md).
#pragma once

#include <string>

#include "AdsDef.h"
#include "ICTRACCIATO.h"

namespace vplat {

constexpr const wchar_t* kAppTracciato = L"QV-TRACCIATO";

// The extended-data chain of an alignment, from its application name on;
// freed with acutRelRb.
resbuf* CodificaTracciato(const ICTRACCIATO& tracciato);
// An alignment read back from its chain and its plan polyline; null with a
// reason when the chain is not an alignment's or is malformed.
ICTRACCIATO* DecodificaTracciato(const resbuf* catena, const datipoli* asse, std::wstring* errore);

}  // namespace vplat
