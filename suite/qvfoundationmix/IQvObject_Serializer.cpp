#include "IQvObject_Serializer.h"

#include <map>

#include "IQvObject_Group.h"

namespace {

constexpr int kCodiceTipo = 0;
constexpr int kCodiceChiusura = -1;
// Deeper nesting than any object has: a guard against crafted data.
constexpr int kProfonditaMassima = 32;

// The property list of an object in the saving context, as (id, kind).
std::vector<std::pair<int, int>> Elenco(const IQvObject* oggetto) {
    std::vector<std::pair<int, int>> elenco;
    CDato* dati = nullptr;
    int n = 0;
    if (oggetto->GetElencoDati(&dati, &n, QV_CONTESTO_SALVATAGGIO) && dati)
        for (int i = 0; i < n; ++i) elenco.emplace_back(dati[i].GetId(), dati[i].GetTipo());
    CDato::LiberaArrayCDato(dati);
    return elenco;
}

bool IsNumero(const CADDatoArray::CADDato& d) {
    return d.GetTipo() == CADDatoArray::Intero || d.GetTipo() == CADDatoArray::Reale;
}

}  // namespace

int IQvObject_Serializer::SetToCADDatoArray(CADDatoArray& dati, const IQvObject* oggetto) const {
    if (!oggetto) return 0;
    Scrivi(dati, oggetto);
    return 1;
}

void IQvObject_Serializer::Scrivi(CADDatoArray& dati, const IQvObject* oggetto) const {
    dati.Add(kCodiceTipo, oggetto->GetTipo());
    for (const auto& [id, tipo] : Elenco(oggetto)) {
        CDato dato;
        if (id == kCodiceChiusura || oggetto->LeggiDato(id, dato) != 1) continue;
        switch (tipo) {
            case CDato::Bool:
            case CDato::Intero:
                dati.Add(id, static_cast<int>(dato.GetInt()));
                break;
            case CDato::Reale:
            case CDato::Angolo:
                dati.Add(id, dato.GetDouble());
                break;
            case CDato::Testo:
                dati.Add(id, static_cast<const wchar_t*>(dato.GetString()));
                break;
            case CDato::Punto: {
                double p[3];
                dato.GetPunto(p);
                dati.Add(id, p);
                break;
            }
            case CDato::Gruppo: {
                auto* gruppo = dynamic_cast<IQvObject_Group*>(dato.GetOggetto());
                if (!gruppo) break;
                dati.Add(id, gruppo->GetMemberCount());
                for (auto* m = gruppo->GetFirstMember(); m; m = m->GetNext()) Scrivi(dati, m->GetObject());
                break;
            }
            default:
                break;
        }
    }
    dati.Add(kCodiceChiusura, 0);
}

int IQvObject_Serializer::GetFromCADDatoArray(const CADDatoArray& dati, IQvObject** oggetto) const {
    if (!oggetto) return 0;
    *oggetto = nullptr;
    if (!m_costruttore) return 0;
    int pos = 0;
    *oggetto = Leggi(dati, pos, 0);
    return *oggetto ? 1 : 0;
}

// One framed object from `pos`, which then stands after its close; null
// (with nothing left allocated) when the frame is broken.
IQvObject* IQvObject_Serializer::Leggi(const CADDatoArray& dati, int& pos, int profondita) const {
    if (profondita > kProfonditaMassima || pos >= dati.GetCount()) return nullptr;
    const auto& testa = dati[pos];
    if (testa.GetCodice() != kCodiceTipo || testa.GetTipo() != CADDatoArray::Intero) return nullptr;
    IQvObject* oggetto = m_costruttore->Alloca(testa.GetInt());
    if (!oggetto) return nullptr;
    ++pos;
    std::map<int, int> tipi;
    for (const auto& [id, tipo] : Elenco(oggetto)) tipi.emplace(id, tipo);
    while (pos < dati.GetCount()) {
        int codice = dati[pos].GetCodice();
        if (codice == kCodiceChiusura) {
            ++pos;
            return oggetto;
        }
        auto it = tipi.find(codice);
        if (it == tipi.end()) {
            ++pos;
            continue;
        }
        if (!LeggiValore(dati, pos, it->second, oggetto, profondita)) break;
    }
    m_costruttore->Libera(&oggetto);
    return nullptr;
}

// Reads the value at `pos` as the kind the object lists for its id and sets
// it; false when the value does not fit that kind or a group is broken.
bool IQvObject_Serializer::LeggiValore(const CADDatoArray& dati, int& pos, int tipo, IQvObject* oggetto,
                                       int profondita) const {
    const auto& d = dati[pos++];
    int id = d.GetCodice();
    CDato dato;
    switch (tipo) {
        case CDato::Bool:
            if (!IsNumero(d)) return false;
            dato = CDato(id, d.GetInt() != 0);
            break;
        case CDato::Intero:
            if (!IsNumero(d)) return false;
            dato = CDato(id, d.GetInt());
            break;
        case CDato::Reale:
        case CDato::Angolo:
            if (!IsNumero(d)) return false;
            dato = CDato(id, d.GetDouble());
            dato.SetTipo(tipo);
            break;
        case CDato::Testo:
            if (d.GetTipo() != CADDatoArray::Testo) return false;
            dato = CDato(id, d.GetStringa());
            break;
        case CDato::Punto: {
            if (d.GetTipo() != CADDatoArray::Punto) return false;
            double p[3];
            d.GetPunto(p);
            dato = CDato(id, p);
            break;
        }
        case CDato::Gruppo: {
            // Every member takes at least its type and its close.
            int numero = d.GetTipo() == CADDatoArray::Intero ? d.GetInt() : -1;
            if (numero < 0 || numero > (dati.GetCount() - pos) / 2) return false;
            auto* gruppo = new IQvObject_Group;
            gruppo->SetConstructor(m_costruttore);
            for (int i = 0; i < numero; ++i) {
                IQvObject* membro = Leggi(dati, pos, profondita + 1);
                if (!membro) {
                    delete gruppo;
                    return false;
                }
                gruppo->Append(membro);
            }
            if (oggetto->SetDato(CDato(id, gruppo), 1) != 1) delete gruppo;
            return true;
        }
        default:
            // A kind the format does not carry: the entry is skipped.
            return true;
    }
    oggetto->SetDato(dato, 1);
    return true;
}
