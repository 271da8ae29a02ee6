// A managed property value: a property id with one value (none, bool, int,
// real, text or point).
#pragma once

#include <string>

#include "Point3DMgd.h"

class DatoMgd {
public:
    enum Tipo { Nessuno, Bool, Intero, Reale, Testo, Punto };

    DatoMgd() = default;
    DatoMgd(int id, bool v) : m_id(id), m_tipo(Bool), m_intero(v ? 1 : 0) {}
    DatoMgd(int id, int v) : m_id(id), m_tipo(Intero), m_intero(v) {}
    DatoMgd(int id, double v) : m_id(id), m_tipo(Reale), m_reale(v) {}
    DatoMgd(int id, std::wstring v) : m_id(id), m_tipo(Testo), m_testo(std::move(v)) {}
    DatoMgd(int id, const Point3DMgd& v) : m_id(id), m_tipo(Punto), m_punto(v) {}

    int Id() const { return m_id; }
    Tipo GetTipo() const { return m_tipo; }
    bool GetBool() const { return m_intero != 0; }
    long GetInt() const { return m_intero; }
    double GetDouble() const { return m_tipo == Reale ? m_reale : static_cast<double>(m_intero); }
    const std::wstring& GetString() const { return m_testo; }
    const Point3DMgd& GetPunto() const { return m_punto; }

private:
    int m_id = 0;
    Tipo m_tipo = Nessuno;
    long m_intero = 0;
    double m_reale = 0;
    std::wstring m_testo;
    Point3DMgd m_punto;
};
