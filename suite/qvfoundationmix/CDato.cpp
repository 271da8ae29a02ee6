#include "CDato.h"

#include "IQvObject_Group.h"

#include <clocale>
#include <cwchar>
#include <locale>
#include <sstream>

CDato::CDato(int id, const double punto[3]) : m_id(id), m_tipo(Punto) {
    for (int i = 0; i < 3; ++i) m_punto[i] = punto[i];
}

CDato::CDato(int id, IQvObject_Group* gruppo) : m_id(id), m_tipo(Gruppo), m_oggetto(gruppo) {}

IQvObject_Group* CDato::GetGruppo() const {
    return m_tipo == Gruppo ? static_cast<IQvObject_Group*>(m_oggetto) : nullptr;
}

long CDato::GetInt() const {
    switch (m_tipo) {
        case Bool:
        case Intero:
            return m_int;
        case Reale:
        case Angolo:
            return static_cast<long>(m_reale);
        case Testo:
            return static_cast<long>(GetDouble());
        default:
            return 0;
    }
}

double CDato::GetDouble() const {
    switch (m_tipo) {
        case Bool:
        case Intero:
            return static_cast<double>(m_int);
        case Reale:
        case Angolo:
            return m_reale;
        case Testo: {
            std::wistringstream in(static_cast<const wchar_t*>(m_testo));
            in.imbue(std::locale::classic());
            double v = 0;
            in >> v;
            return in.fail() ? 0.0 : v;
        }
        default:
            return 0;
    }
}

CString CDato::GetString() const {
    std::wostringstream out;
    out.imbue(std::locale::classic());
    switch (m_tipo) {
        case Testo:
            return m_testo;
        case Bool:
        case Intero:
            out << m_int;
            break;
        case Reale:
        case Angolo:
            out.precision(15);
            out << m_reale;
            break;
        default:
            return CString();
    }
    return CString(out.str().c_str());
}

void CDato::GetPunto(double punto[3]) const {
    for (int i = 0; i < 3; ++i) punto[i] = m_tipo == Punto ? m_punto[i] : 0.0;
}

CDato* CDato::AllocaArrayCDato(int n) { return n > 0 ? new CDato[n] : nullptr; }

void CDato::LiberaArrayCDato(CDato* array) { delete[] array; }
