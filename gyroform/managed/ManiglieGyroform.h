// The table of live wrappers behind the flat C layer's handles. A handle is
// a slot number with the slot's generation, so a released slot that is used
// again never answers an old handle. Each entry remembers the roundabout it
// came from, so that freeing a roundabout makes all of its handles stale.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "GyroformC.h"
#include "IGroup.h"
#include "IQvObjectMgd.h"

class ManiglieGyroform {
public:
    struct Voce {
        std::shared_ptr<IQvObjectMgd> oggetto;
        std::shared_ptr<IGroupMember> membro;  // for a group's member
        IQvObject* radice = nullptr;           // the roundabout (or lone object) it belongs to
        uint32_t generazione = 0;
        bool viva = false;
    };

    static ManiglieGyroform& Get();

    // A new handle; 0 for a null object.
    GfManiglia Aggiungi(std::shared_ptr<IQvObjectMgd> oggetto, std::shared_ptr<IGroupMember> membro,
                        IQvObject* radice);
    // The live entry of a handle, or null (for 0 or a stale handle).
    const Voce* Trova(GfManiglia maniglia) const;
    // 1 when the handle was live.
    int Rilascia(GfManiglia maniglia);
    // Makes stale every handle that belongs to that roundabout.
    void InvalidaRadice(const IQvObject* radice);
    // Drops every handle (for tests).
    void Svuota();

private:
    std::vector<Voce> m_voci;
    std::vector<uint32_t> m_libere;
};
