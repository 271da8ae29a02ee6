#include "ManiglieGyroform.h"

#include "GyroformConstructor.h"
#include "IQvObject.h"

namespace {

GfManiglia Maniglia(uint32_t posto, uint32_t generazione) {
    return (static_cast<GfManiglia>(generazione) << 32) | (posto + 1u);
}

}  // namespace

ManiglieGyroform& ManiglieGyroform::Get() {
    static ManiglieGyroform tabella;
    return tabella;
}

GfManiglia ManiglieGyroform::Aggiungi(std::shared_ptr<IQvObjectMgd> oggetto, std::shared_ptr<IGroupMember> membro,
                                      IQvObject* radice, bool proprio) {
    if (!oggetto || !oggetto->GetQvObject()) return 0;
    uint32_t posto;
    if (!m_libere.empty()) {
        posto = m_libere.back();
        m_libere.pop_back();
    } else {
        posto = static_cast<uint32_t>(m_voci.size());
        m_voci.emplace_back();
    }
    Voce& v = m_voci[posto];
    v.numero = oggetto->GetQvObject()->GetNumero();
    v.oggetto = std::move(oggetto);
    v.membro = std::move(membro);
    v.radice = radice;
    v.proprio = proprio;
    v.numeroProprietario = 0;
    v.viva = true;
    return Maniglia(posto, v.generazione);
}

ManiglieGyroform::Voce* ManiglieGyroform::Slot(GfManiglia maniglia) {
    uint64_t posto = (maniglia & 0xffffffffu);
    if (posto == 0 || posto > m_voci.size()) return nullptr;
    Voce& v = m_voci[posto - 1];
    if (!v.viva || v.generazione != static_cast<uint32_t>(maniglia >> 32)) return nullptr;
    return &v;
}

const ManiglieGyroform::Voce* ManiglieGyroform::Trova(GfManiglia maniglia) const {
    return const_cast<ManiglieGyroform*>(this)->Modifica(maniglia);
}

ManiglieGyroform::Voce* ManiglieGyroform::Modifica(GfManiglia maniglia) {
    Voce* v = Slot(maniglia);
    if (!v || !IQvObject::IsVivo(v->numero)) return nullptr;
    if (v->numeroProprietario != 0 && !IQvObject::IsVivo(v->numeroProprietario)) return nullptr;
    return v;
}

int ManiglieGyroform::Rilascia(GfManiglia maniglia) {
    Voce* v = Slot(maniglia);
    if (!v) return 0;
    IQvObject* oggetto = v->oggetto ? v->oggetto->GetQvObject() : nullptr;
    if (v->proprio && oggetto && IQvObject::IsVivo(v->numero)) {
        GyroformConstructor costruttore;
        costruttore.Libera(&oggetto);
    }
    v->oggetto.reset();
    v->membro.reset();
    v->radice = nullptr;
    v->proprio = false;
    v->numeroProprietario = 0;
    v->viva = false;
    ++v->generazione;
    m_libere.push_back(static_cast<uint32_t>(v - m_voci.data()));
    return 1;
}

void ManiglieGyroform::InvalidaRadice(const IQvObject* radice) {
    if (!radice) return;
    for (size_t i = 0; i < m_voci.size(); ++i)
        if (m_voci[i].viva && m_voci[i].radice == radice)
            Rilascia(Maniglia(static_cast<uint32_t>(i), m_voci[i].generazione));
}

void ManiglieGyroform::Svuota() {
    for (size_t i = 0; i < m_voci.size(); ++i)
        if (m_voci[i].viva) Rilascia(Maniglia(static_cast<uint32_t>(i), m_voci[i].generazione));
}
