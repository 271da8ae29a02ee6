#include "ManagedCalls.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <map>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "GyroformC.h"
#include "HostText.h"
#include "HostTranscript.h"
#include "WinModule.h"

namespace {

// A value of the calls file: a literal, a result bound to a name, or an
// object's handle.
struct Valore {
    enum Tipo { Nullo, Intero, Reale, Bool, Testo, Punto, Dato, Oggetto, Entita };
    Tipo tipo = Nullo;
    long long intero = 0;
    double reale = 0;
    double punto[3] = {0, 0, 0};
    std::string testo;
    int id = 0;
    Tipo tipoDato = Nullo;  // of a Dato
    GfManiglia maniglia = 0;
    bool membro = false;    // a group's member (g[i])
    std::string classe;     // of an object
    std::string sconosciuto;  // a name not bound yet (an out argument's)
};

struct Errore : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string Numero(double v) {
    char testo[40];
    std::snprintf(testo, sizeof testo, "%.10g", v);
    return testo;
}

std::string Mostra(const Valore& v) {
    switch (v.tipo) {
        case Valore::Nullo: return "null";
        case Valore::Intero: return std::to_string(v.intero);
        case Valore::Reale: return Numero(v.reale);
        case Valore::Bool: return v.intero ? "true" : "false";
        case Valore::Testo: return "\"" + v.testo + "\"";
        case Valore::Punto:
            return "Point(" + Numero(v.punto[0]) + ", " + Numero(v.punto[1]) + ", " + Numero(v.punto[2]) + ")";
        case Valore::Dato: {
            if (v.tipoDato == Valore::Nullo) return "Dato()";
            Valore interno = v;
            interno.tipo = v.tipoDato;
            return "Dato(" + std::to_string(v.id) + ", " + Mostra(interno) + ")";
        }
        case Valore::Oggetto: return v.maniglia ? v.classe : "null";
        case Valore::Entita: return "@" + v.testo;
    }
    return "";
}

const char* NomeTipo(int tipo) {
    switch (tipo) {
        case GF_INTERO: return "an integer";
        case GF_REALE: return "a real";
        case GF_BOOL: return "true or false";
        case GF_TESTO: return "a text";
        case GF_PUNTO: return "a Point";
        case GF_DATO: return "a Dato";
        case GF_OGGETTO: return "an object or null";
        case GF_MEMBRO: return "a group's member (g[i]) or null";
        case GF_ENTITA: return "an entity (@handle)";
        case GF_RIF_REALE: return "a real or a name";
        case GF_OUT_PUNTO: return "a name";
        case GF_ARRAY: return "a name";
        default: return "nothing";
    }
}

const char* NomeEsito(int esito) {
    switch (esito) {
        case GF_ERR_MANIGLIA_NULLA: return "null object";
        case GF_ERR_MANIGLIA_SCADUTA: return "stale handle";
        case GF_ERR_ARGOMENTI: return "wrong arguments";
        case GF_ERR_CLASSE: return "object of another class";
        case GF_ERR_BUFFER: return "text too long";
        case GF_ERR_RIFERIMENTO_NULLO: return "null reference";
        default: return "internal error";
    }
}

// The flat C layer of the loaded module.
struct Modulo {
    decltype(&Gyroform_CercaMetodo) cerca = nullptr;
    decltype(&Gyroform_Classe) classe = nullptr;
    decltype(&Gyroform_Rilascia) rilascia = nullptr;
};

class Esecutore {
public:
    explicit Esecutore(const Modulo& modulo) : m_modulo(modulo) {}

    // The host owns every roundabout the file made until its liberaPtr: one
    // the file left (or could not reach, after a failed line) is freed here.
    void Chiudi() {
        for (const auto& [maniglia, nome] : m_rotatorie) {
            char classe[64] = "";
            if (m_modulo.classe(maniglia, classe, sizeof classe, nullptr) != GF_OK) continue;
            const GfMetodo* libera = m_modulo.cerca("Rotatoria3D.liberaPtr");
            GfValore se{}, r{};
            se.tipo = GF_OGGETTO;
            se.intero = static_cast<long long>(maniglia);
            int esito = libera ? libera->funzione(&se, 1, &r) : GF_ERR_INTERNO;
            vplat::Transcript::Get().Event(
                "managed", vplat::Utf8ToWide("end: " + nome + ".liberaPtr() -> " +
                                             (esito == GF_OK ? std::string("done") : NomeEsito(esito))));
        }
        m_rotatorie.clear();
        // A lone object the file made and gave to no group goes with its handle.
        for (GfManiglia maniglia : m_soli) m_modulo.rilascia(maniglia);
        m_soli.clear();
    }

    // One line of the file.
    void Riga(const std::string& riga, int numero) {
        m_testo = riga;
        m_pos = 0;
        m_numero = numero;
        m_dopo.clear();
        std::string nome;
        size_t inizio = m_pos;
        if (Identificatore(&nome) && Salta() && Guarda('=')) {
            ++m_pos;
        } else {
            nome.clear();
            m_pos = inizio;
        }
        m_nome = nome;
        Valore v;
        bool vuoto = false;
        std::string chiamata = Espressione(&v, &vuoto);
        Salta();
        if (m_pos != m_testo.size()) throw Errore("cannot read \"" + Resto() + "\"");
        if (!nome.empty()) {
            if (vuoto) throw Errore(chiamata + " has no result to name");
            m_nomi[nome] = v;
        }
        std::string linea = "line " + std::to_string(numero) + ": " + (nome.empty() ? "" : nome + " = ") + chiamata +
                            " -> " + (vuoto ? std::string("done") : Mostra(v)) + m_dopo;
        vplat::Transcript::Get().Event("managed", vplat::Utf8ToWide(linea));
    }

private:
    // The rest of the line from the reading position, cut for a message.
    std::string Resto() const {
        constexpr size_t kMostrati = 40;
        std::string resto = m_testo.substr(m_pos, kMostrati);
        return m_pos + kMostrati < m_testo.size() ? resto + "..." : resto;
    }
    bool Salta() {
        while (m_pos < m_testo.size() && std::isspace(static_cast<unsigned char>(m_testo[m_pos]))) ++m_pos;
        return true;
    }
    bool Guarda(char c) { return Salta() && m_pos < m_testo.size() && m_testo[m_pos] == c; }
    void Atteso(char c) {
        if (!Guarda(c)) throw Errore(std::string("expected '") + c + "' at \"" + Resto() + "\"");
        ++m_pos;
    }
    bool Identificatore(std::string* out) {
        Salta();
        size_t i = m_pos;
        if (i >= m_testo.size() || !(std::isalpha(static_cast<unsigned char>(m_testo[i])) || m_testo[i] == '_'))
            return false;
        while (i < m_testo.size() && (std::isalnum(static_cast<unsigned char>(m_testo[i])) || m_testo[i] == '_')) ++i;
        *out = m_testo.substr(m_pos, i - m_pos);
        m_pos = i;
        return true;
    }

    // A call, g[i], or a single value; the text of it for the transcript.
    std::string Espressione(Valore* v, bool* vuoto) {
        size_t inizio = m_pos;
        std::string nome;
        if (Identificatore(&nome) && Guarda('.')) {
            ++m_pos;
            std::string metodo;
            if (!Identificatore(&metodo)) throw Errore("expected a method name after \"" + nome + ".\"");
            Atteso('(');
            std::vector<std::string> testi;
            std::vector<Valore> argomenti = Argomenti(&testi);
            Chiama(nome, metodo, argomenti, testi, v, vuoto);
            return Testo(inizio);
        }
        m_pos = inizio;
        *v = Argomento();
        if (!v->sconosciuto.empty()) throw Errore("unknown name \"" + v->sconosciuto + "\"");
        *vuoto = false;
        return Testo(inizio);
    }
    std::string Testo(size_t inizio) {
        std::string t = m_testo.substr(inizio, m_pos - inizio);
        while (!t.empty() && std::isspace(static_cast<unsigned char>(t.front()))) t.erase(0, 1);
        while (!t.empty() && std::isspace(static_cast<unsigned char>(t.back()))) t.pop_back();
        return t;
    }

    std::vector<Valore> Argomenti(std::vector<std::string>* testi) {
        std::vector<Valore> out;
        if (Guarda(')')) {
            ++m_pos;
            return out;
        }
        for (;;) {
            Salta();
            size_t inizio = m_pos;
            out.push_back(Argomento());
            testi->push_back(Testo(inizio));
            if (Guarda(',')) {
                ++m_pos;
                continue;
            }
            Atteso(')');
            return out;
        }
    }

    // A number in the C locale, whatever the process's: an integer (written
    // without point or exponent) within 64 bits, or a finite real. A number
    // out of range is refused here rather than cast into something else.
    Valore NumeroLetterale() {
        Salta();
        std::string_view resto(m_testo);
        resto.remove_prefix(m_pos);
        size_t segno = !resto.empty() && resto[0] == '+' ? 1 : 0;
        const char* inizio = resto.data() + segno;
        const char* fine = resto.data() + resto.size();
        // Only digits, a sign, a point and an exponent make a number ("inf"
        // and "nan" are names).
        const char* cifre = inizio + (inizio < fine && *inizio == '-' ? 1 : 0);
        if (cifre == fine || !(std::isdigit(static_cast<unsigned char>(*cifre)) || *cifre == '.'))
            throw Errore("expected a number at \"" + Resto() + "\"");
        double reale = 0;
        auto [dopo, errore] = std::from_chars(inizio, fine, reale);
        std::string letto(resto.data(), static_cast<size_t>(dopo - resto.data()));
        if (errore == std::errc::result_out_of_range) throw Errore("number out of range: " + letto);
        if (errore != std::errc() || dopo == inizio) throw Errore("expected a number at \"" + Resto() + "\"");
        Valore v;
        if (letto.find_first_of(".eE") != std::string::npos) {
            if (!std::isfinite(reale)) throw Errore("number out of range: " + letto);
            v.tipo = Valore::Reale;
            v.reale = reale;
        } else {
            long long intero = 0;
            auto [dopoIntero, erroreIntero] = std::from_chars(inizio, fine, intero);
            if (erroreIntero != std::errc() || dopoIntero != dopo) throw Errore("number out of range: " + letto);
            v.tipo = Valore::Intero;
            v.intero = intero;
        }
        m_pos += letto.size();
        return v;
    }
    // An integer of the file that a managed int must hold.
    static bool InIntero(long long v) {
        return v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max();
    }
    int Intero(const char* che) {
        Valore v = NumeroLetterale();
        if (v.tipo != Valore::Intero) throw Errore(std::string(che) + " is an integer");
        if (!InIntero(v.intero)) throw Errore(std::string(che) + " out of range: " + std::to_string(v.intero));
        return static_cast<int>(v.intero);
    }

    Valore Argomento() {
        // Values nest only inside a Dato, one deep: a deeper nesting is
        // refused before it can take the stack.
        if (m_profondita >= kProfonditaMassima)
            throw Errore("values nested deeper than " + std::to_string(kProfonditaMassima));
        ++m_profondita;
        struct Esci {
            int& profondita;
            ~Esci() { --profondita; }
        } esci{m_profondita};
        Salta();
        Valore v;
        if (m_pos >= m_testo.size()) throw Errore("expected a value");
        char c = m_testo[m_pos];
        if (c == '"') {
            ++m_pos;
            v.tipo = Valore::Testo;
            while (m_pos < m_testo.size() && m_testo[m_pos] != '"') {
                if (m_testo[m_pos] == '\\' && m_pos + 1 < m_testo.size()) ++m_pos;
                v.testo += m_testo[m_pos++];
            }
            Atteso('"');
            return v;
        }
        if (c == '@') {
            ++m_pos;
            size_t i = m_pos;
            while (i < m_testo.size() && std::isxdigit(static_cast<unsigned char>(m_testo[i]))) ++i;
            if (i == m_pos) throw Errore("expected an entity handle after '@'");
            v.tipo = Valore::Entita;
            v.testo = m_testo.substr(m_pos, i - m_pos);
            m_pos = i;
            return v;
        }
        if (c == '-' || c == '+' || c == '.' || std::isdigit(static_cast<unsigned char>(c))) return NumeroLetterale();
        std::string nome;
        if (!Identificatore(&nome)) throw Errore("cannot read \"" + Resto() + "\"");
        if (nome == "true" || nome == "false") {
            v.tipo = Valore::Bool;
            v.intero = nome == "true";
            return v;
        }
        if (nome == "null") return v;
        if (nome == "Point") {
            Atteso('(');
            v.tipo = Valore::Punto;
            for (int i = 0; i < 3; ++i) {
                Valore coordinata = NumeroLetterale();
                v.punto[i] = coordinata.tipo == Valore::Intero ? static_cast<double>(coordinata.intero)
                                                               : coordinata.reale;
                if (i < 2) Atteso(',');
            }
            Atteso(')');
            return v;
        }
        if (nome == "Dato") {
            Atteso('(');
            v.tipo = Valore::Dato;
            if (Guarda(')')) {
                ++m_pos;
                return v;
            }
            v.id = Intero("a Dato's id");
            Atteso(',');
            Valore valore = Argomento();
            if (valore.tipo == Valore::Nullo || valore.tipo == Valore::Dato || valore.tipo == Valore::Oggetto ||
                valore.tipo == Valore::Entita)
                throw Errore("a Dato holds an integer, a real, true, false, a text or a Point");
            if (valore.tipo == Valore::Intero && !InIntero(valore.intero))
                throw Errore("a Dato's integer out of range: " + std::to_string(valore.intero));
            v.tipoDato = valore.tipo;
            v.intero = valore.intero;
            v.reale = valore.reale;
            v.testo = valore.testo;
            std::copy(valore.punto, valore.punto + 3, v.punto);
            Atteso(')');
            return v;
        }
        auto trovato = m_nomi.find(nome);
        if (trovato == m_nomi.end()) {
            if (Guarda('[')) throw Errore("unknown name \"" + nome + "\"");
            v.sconosciuto = nome;
            return v;
        }
        if (Guarda('[')) {
            ++m_pos;
            int posizione = Intero("a position");
            Atteso(']');
            Valore indice;
            indice.tipo = Valore::Intero;
            indice.intero = posizione;
            bool vuoto = false;
            Chiama(nome, "Member", {indice}, {std::to_string(indice.intero)}, &v, &vuoto);
            if (v.tipo != Valore::Oggetto || v.maniglia == 0)
                throw Errore(nome + " has no member at position " + std::to_string(indice.intero));
            return v;
        }
        return trovato->second;
    }

    // The method a name's object answers to: its class's, then a group's,
    // then any object's.
    const GfMetodo* Trova(const std::string& bersaglio, const std::string& metodo, GfManiglia* se) {
        auto n = m_nomi.find(bersaglio);
        if (n == m_nomi.end()) {
            const GfMetodo* m = m_modulo.cerca((bersaglio + "." + metodo).c_str());
            if (!m) throw Errore("unknown method " + bersaglio + "." + metodo);
            if (m->istanza) throw Errore(bersaglio + "." + metodo + " needs an object: \"" + bersaglio + "\" is no name");
            return m;
        }
        if (n->second.tipo != Valore::Oggetto) throw Errore("\"" + bersaglio + "\" is no object");
        *se = n->second.maniglia;
        if (*se == 0) throw Errore("\"" + bersaglio + "\" is null");
        char classe[64] = "";
        int esito = m_modulo.classe(*se, classe, sizeof classe, nullptr);
        if (esito != GF_OK) throw Errore("\"" + bersaglio + "\": " + NomeEsito(esito));
        for (std::string c : {std::string(classe), std::string("IGroup"), std::string("IQvObjectMgd")}) {
            if (c == "IGroup" && std::string(classe) != "IGroup") continue;
            if (const GfMetodo* m = m_modulo.cerca((c + "." + metodo).c_str()); m && m->istanza) return m;
        }
        throw Errore(std::string("unknown method ") + classe + "." + metodo);
    }

    void Chiama(const std::string& bersaglio, const std::string& metodo, std::vector<Valore> argomenti,
                const std::vector<std::string>& testi, Valore* risultato, bool* vuoto) {
        GfManiglia se = 0;
        const GfMetodo* m = Trova(bersaglio, metodo, &se);
        if (static_cast<int>(argomenti.size()) != m->numeroArgomenti)
            throw Errore(std::string(m->nome) + " takes " + std::to_string(m->numeroArgomenti) + " arguments, not " +
                         std::to_string(argomenti.size()));
        std::vector<GfValore> c(argomenti.size() + (m->istanza ? 1 : 0));
        std::vector<std::vector<char>> buffer(c.size());
        size_t primo = 0;
        if (m->istanza) {
            c[0].tipo = GF_OGGETTO;
            c[0].intero = static_cast<long long>(se);
            primo = 1;
        }
        for (size_t i = 0; i < argomenti.size(); ++i) {
            GfValore& g = c[primo + i];
            if (m->tipiArgomenti[i] == GF_INTERO && argomenti[i].tipo == Valore::Intero && !InIntero(argomenti[i].intero))
                throw Errore("argument " + std::to_string(i + 1) + " of " + m->nome + " is out of range: " + testi[i]);
            if (!Converti(argomenti[i], m->tipiArgomenti[i], testi[i], &g))
                throw Errore("argument " + std::to_string(i + 1) + " of " + m->nome + " must be " +
                             NomeTipo(m->tipiArgomenti[i]) + ", not " + testi[i]);
            if (g.tipo == GF_ARRAY) {
                buffer[primo + i].resize(1 << 16);
                g.buffer = buffer[primo + i].data();
                g.capacita = buffer[primo + i].size();
            }
        }
        std::vector<char> testo(1 << 16);
        GfValore r{};
        r.buffer = testo.data();
        r.capacita = testo.size();
        int esito = m->funzione(c.data(), static_cast<int>(c.size()), &r);
        if (esito == GF_ERR_BUFFER) {
            // Only reading methods give texts: asked again with room enough.
            testo.resize(std::max(testo.size(), r.necessario));
            r.buffer = testo.data();
            r.capacita = testo.size();
            for (size_t i = 0; i < c.size(); ++i) {
                if (c[i].tipo != GF_ARRAY) continue;
                buffer[i].resize(std::max(buffer[i].size(), c[i].necessario));
                c[i].buffer = buffer[i].data();
                c[i].capacita = buffer[i].size();
            }
            esito = m->funzione(c.data(), static_cast<int>(c.size()), &r);
        }
        if (esito != GF_OK) throw Errore(std::string(m->nome) + " answered " + std::to_string(esito) + " (" +
                                         NomeEsito(esito) + ")");
        // What the call wrote back into its arguments.
        for (size_t i = 0; i < argomenti.size(); ++i) {
            const GfValore& g = c[primo + i];
            Valore scritto;
            if (g.tipo == GF_RIF_REALE) {
                scritto.tipo = Valore::Reale;
                scritto.reale = g.reale;
            } else if (g.tipo == GF_OUT_PUNTO) {
                scritto.tipo = Valore::Punto;
                std::copy(g.punto, g.punto + 3, scritto.punto);
            } else if (g.tipo == GF_ARRAY) {
                scritto.tipo = Valore::Testo;
                scritto.testo = g.buffer;
            } else {
                continue;
            }
            if (m_nomi.count(testi[i]) || g.tipo != GF_RIF_REALE) m_nomi[testi[i]] = scritto;
            m_dopo += "; " + testi[i] + " = " + Mostra(scritto);
        }
        *vuoto = r.tipo == GF_NESSUNO;
        *risultato = Risultato(r);
        if (!m->istanza && risultato->classe == "Rotatoria3D")
            m_rotatorie.emplace_back(risultato->maniglia, m_nome.empty() ? std::string(m->nome) + "()" : m_nome);
        else if (!m->istanza && risultato->maniglia)
            m_soli.push_back(risultato->maniglia);
    }

    bool Converti(const Valore& v, int tipo, const std::string& testo, GfValore* g) {
        g->tipo = tipo;
        if (!v.sconosciuto.empty() && tipo != GF_OUT_PUNTO && tipo != GF_ARRAY)
            throw Errore("unknown name \"" + v.sconosciuto + "\"");
        switch (tipo) {
            case GF_INTERO: g->intero = v.intero; return v.tipo == Valore::Intero;
            case GF_BOOL: g->intero = v.intero; return v.tipo == Valore::Bool;
            case GF_REALE:
            case GF_RIF_REALE:
                g->reale = v.tipo == Valore::Intero ? static_cast<double>(v.intero) : v.reale;
                return v.tipo == Valore::Reale || v.tipo == Valore::Intero;
            case GF_TESTO: g->testo = v.testo.c_str(); return v.tipo == Valore::Testo;
            case GF_ENTITA: g->testo = v.testo.c_str(); return v.tipo == Valore::Entita;
            case GF_PUNTO: std::copy(v.punto, v.punto + 3, g->punto); return v.tipo == Valore::Punto;
            case GF_DATO: {
                static const int tipi[] = {GF_NESSUNO, GF_INTERO, GF_REALE, GF_BOOL, GF_TESTO, GF_PUNTO};
                g->id = v.id;
                g->tipoDato = v.tipoDato <= Valore::Punto ? tipi[v.tipoDato] : GF_NESSUNO;
                g->intero = v.intero;
                g->reale = v.reale;
                g->testo = v.testo.c_str();
                std::copy(v.punto, v.punto + 3, g->punto);
                return v.tipo == Valore::Dato;
            }
            case GF_OGGETTO:
                g->intero = static_cast<long long>(v.maniglia);
                return v.tipo == Valore::Nullo || v.tipo == Valore::Oggetto;
            case GF_MEMBRO:
                g->intero = static_cast<long long>(v.maniglia);
                return v.tipo == Valore::Nullo || (v.tipo == Valore::Oggetto && v.membro);
            // Out arguments go to a name.
            case GF_OUT_PUNTO:
            case GF_ARRAY: return IsNome(testo);
            default: return false;
        }
    }
    static bool IsNome(const std::string& t) {
        if (t.empty() || !(std::isalpha(static_cast<unsigned char>(t[0])) || t[0] == '_')) return false;
        for (char c : t)
            if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) return false;
        return t != "null" && t != "true" && t != "false";
    }

    Valore Risultato(const GfValore& r) {
        Valore v;
        switch (r.tipo) {
            case GF_INTERO: v.tipo = Valore::Intero; v.intero = r.intero; break;
            case GF_REALE: v.tipo = Valore::Reale; v.reale = r.reale; break;
            case GF_TESTO:
            case GF_ARRAY:
            case GF_LISTA: v.tipo = Valore::Testo; v.testo = r.buffer; break;
            case GF_DATO: {
                v.tipo = Valore::Dato;
                v.id = r.id;
                switch (r.tipoDato) {
                    case GF_INTERO: v.tipoDato = Valore::Intero; break;
                    case GF_REALE: v.tipoDato = Valore::Reale; break;
                    case GF_BOOL: v.tipoDato = Valore::Bool; break;
                    case GF_TESTO: v.tipoDato = Valore::Testo; v.testo = r.buffer; break;
                    case GF_PUNTO: v.tipoDato = Valore::Punto; break;
                    default: v.tipoDato = Valore::Nullo; break;
                }
                v.intero = r.intero;
                v.reale = r.reale;
                std::copy(r.punto, r.punto + 3, v.punto);
                break;
            }
            case GF_OGGETTO:
            case GF_MEMBRO: {
                v.maniglia = static_cast<GfManiglia>(r.intero);
                if (v.maniglia == 0) break;
                v.tipo = Valore::Oggetto;
                v.membro = r.tipo == GF_MEMBRO;
                char classe[64] = "";
                m_modulo.classe(v.maniglia, classe, sizeof classe, nullptr);
                v.classe = classe;
                break;
            }
            default: break;
        }
        return v;
    }

    static constexpr int kProfonditaMassima = 8;
    const Modulo& m_modulo;
    int m_profondita = 0;  // values being read, one inside the other
    std::map<std::string, Valore> m_nomi;
    std::string m_testo;
    size_t m_pos = 0;
    int m_numero = 0;
    std::string m_dopo;
    std::string m_nome;  // the name the line binds
    std::vector<std::pair<GfManiglia, std::string>> m_rotatorie;
    std::vector<GfManiglia> m_soli;  // lone objects the file made
};

}  // namespace

bool ManagedCalls::Run(const std::string& file, std::string* reason) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        *reason = "--managed: no file " + file;
        return false;
    }
    HMODULE gyroform = GetModuleHandleW(L"Gyroform.dll");
    Modulo modulo;
    if (gyroform) {
        modulo.cerca = reinterpret_cast<decltype(modulo.cerca)>(GetProcAddress(gyroform, "Gyroform_CercaMetodo"));
        modulo.classe = reinterpret_cast<decltype(modulo.classe)>(GetProcAddress(gyroform, "Gyroform_Classe"));
        modulo.rilascia = reinterpret_cast<decltype(modulo.rilascia)>(GetProcAddress(gyroform, "Gyroform_Rilascia"));
    }
    if (!modulo.cerca || !modulo.classe || !modulo.rilascia) {
        *reason = "--managed " + file + ": the managed calls need Gyroform.dll (--load Gyroform.dll)";
        return false;
    }
    Esecutore esecutore(modulo);
    std::string testo((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (testo.compare(0, 3, "\xEF\xBB\xBF") == 0) testo.erase(0, 3);
    // Lines end at LF, CR LF or a lone CR (old Mac text).
    int numero = 0;
    for (size_t inizio = 0; inizio < testo.size();) {
        size_t fine = testo.find_first_of("\r\n", inizio);
        if (fine == std::string::npos) fine = testo.size();
        std::string riga = testo.substr(inizio, fine - inizio);
        inizio = fine + (testo.compare(fine, 2, "\r\n") == 0 ? 2 : 1);
        ++numero;
        size_t primo = riga.find_first_not_of(" \t");
        if (primo == std::string::npos || riga[primo] == '#') continue;
        try {
            esecutore.Riga(riga, numero);
        } catch (const Errore& e) {
            *reason = "managed calls " + file + " line " + std::to_string(numero) + ": " + e.what();
            esecutore.Chiudi();
            return false;
        }
    }
    esecutore.Chiudi();
    return true;
}
