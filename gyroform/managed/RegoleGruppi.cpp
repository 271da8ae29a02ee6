#include "RegoleGruppi.h"

#include "CCiglio3D.h"
#include "CPuntoCiglio.h"
#include "CRotatoria3D.h"
#include "GyroformCodici.h"
#include "IQvObject_Group.h"

namespace gfgruppi {

Gruppo Classifica(const IQvObject_Group* gruppo, IQvObject* radice) {
    Gruppo esito;
    auto* rotatoria = dynamic_cast<CRotatoria3D*>(radice);
    if (!gruppo || !rotatoria) return esito;
    if (gruppo == rotatoria->getCigli() || gruppo == rotatoria->getAssi()) {
        esito.genere = Genere::DelModello;
        return esito;
    }
    IQvObject_Group* cigli = rotatoria->getCigli();
    for (IQvObject_GroupMember* m = cigli ? cigli->GetFirstMember() : nullptr; m; m = m->GetNext()) {
        auto* c = static_cast<CCiglio3D*>(m->GetObject());
        for (int tipo : {GRUPPO_PIANO, GRUPPO_VERIFICA, GRUPPO_ROTAZIONE, GRUPPO_VERTICE, GRUPPO_NODO, GRUPPO_CIGLIO}) {
            if (c->getPunti(tipo) != gruppo) continue;
            esito.genere = tipo == GRUPPO_NODO || tipo == GRUPPO_CIGLIO ? Genere::DelModello : Genere::Punti;
            esito.ciglio = c;
            return esito;
        }
    }
    return esito;
}

bool Ammetti(const IQvObject_Group* gruppo, IQvObject* radice, IQvObject* oggetto) {
    if (!gruppo || !oggetto || oggetto == gruppo || oggetto->GetTipo() == TIPO_GRUPPO) return false;
    Gruppo g = Classifica(gruppo, radice);
    switch (g.genere) {
        case Genere::Libero: return true;
        case Genere::DelModello: return false;
        case Genere::Punti: {
            auto* punto = dynamic_cast<CPuntoCiglio*>(oggetto);
            if (!punto || oggetto->GetTipo() != gruppo->GetMemberType()) return false;
            // Its chainage, the group's key, is read on the group's edge.
            punto->inizializza(g.ciglio, false);
            return true;
        }
    }
    return false;
}

void Riordina(IQvObject_Group* gruppo, IQvObject* radice) {
    if (gruppo && Classifica(gruppo, radice).genere != Genere::DelModello) gruppo->Riordina();
}

void RiordinaGruppoDi(IQvObject* oggetto) {
    auto* punto = dynamic_cast<CPuntoCiglio*>(oggetto);
    CCiglio3D* ciglio = punto ? punto->getProprietario() : nullptr;
    if (!ciglio) return;
    for (int tipo : {GRUPPO_PIANO, GRUPPO_VERIFICA, GRUPPO_ROTAZIONE, GRUPPO_VERTICE}) {
        IQvObject_Group* gruppo = ciglio->getPunti(tipo);
        if (gruppo && gruppo->GetMemberType() == punto->GetTipo()) gruppo->Riordina();
    }
}

}  // namespace gfgruppi
