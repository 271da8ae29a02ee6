#include "ManiglieGyroform.h"

ManiglieGyroform& ManiglieGyroform::Get() {
    static ManiglieGyroform tabella;
    return tabella;
}

GfManiglia ManiglieGyroform::Aggiungi(std::shared_ptr<IQvObjectMgd> oggetto, std::shared_ptr<IGroupMember> membro,
                                      IQvObject* radice) {
    if (!oggetto) return 0;
    uint32_t posto;
    if (!m_libere.empty()) {
        posto = m_libere.back();
        m_libere.pop_back();
    } else {
        posto = static_cast<uint32_t>(m_voci.size());
        m_voci.emplace_back();
    }
    Voce& v = m_voci[posto];
    v.oggetto = std::move(oggetto);
    v.membro = std::move(membro);
    v.radice = radice;
    v.viva = true;
    return (static_cast<GfManiglia>(v.generazione) << 32) | (posto + 1u);
}

const ManiglieGyroform::Voce* ManiglieGyroform::Trova(GfManiglia maniglia) const {
    uint64_t posto = (maniglia & 0xffffffffu);
    if (posto == 0 || posto > m_voci.size()) return nullptr;
    const Voce& v = m_voci[posto - 1];
    if (!v.viva || v.generazione != static_cast<uint32_t>(maniglia >> 32)) return nullptr;
    return &v;
}

int ManiglieGyroform::Rilascia(GfManiglia maniglia) {
    if (!Trova(maniglia)) return 0;
    uint32_t posto = static_cast<uint32_t>(maniglia & 0xffffffffu) - 1;
    Voce& v = m_voci[posto];
    v.oggetto.reset();
    v.membro.reset();
    v.radice = nullptr;
    v.viva = false;
    ++v.generazione;
    m_libere.push_back(posto);
    return 1;
}

void ManiglieGyroform::InvalidaRadice(const IQvObject* radice) {
    if (!radice) return;
    for (size_t i = 0; i < m_voci.size(); ++i)
        if (m_voci[i].viva && m_voci[i].radice == radice)
            Rilascia((static_cast<GfManiglia>(m_voci[i].generazione) << 32) | (i + 1));
}

void ManiglieGyroform::Svuota() {
    for (size_t i = 0; i < m_voci.size(); ++i)
        if (m_voci[i].viva) Rilascia((static_cast<GfManiglia>(m_voci[i].generazione) << 32) | (i + 1));
}
