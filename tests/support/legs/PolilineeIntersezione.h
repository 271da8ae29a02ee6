// The polylines of the working drawing that carry an intersection's extended
// data, as tests read them back: layer, closed flag, the data items as text
// and the vertices.
#pragma once

#include <string>
#include <vector>

#include <arx.h>

#include "GeometryChecker.h"

namespace legs {

struct PolilineaIntersezione {
    AcDbObjectId id;
    std::wstring layer;
    bool chiusa = false;
    std::vector<std::wstring> dati;  // after the application name; reals as "%.17g"
    std::vector<geomcheck::Vertex> vertici;  // a closed one ends on its first vertex again
    std::wstring Codice() const { return dati.size() > 1 ? dati[1] : std::wstring(); }
};

// In the drawing's selection order; with a code, only those of that edge code.
std::vector<PolilineaIntersezione> PolilineeIntersezione(const wchar_t* codice = nullptr);

}  // namespace legs
