// The table of live wrappers behind the flat C layer's handles. A handle is
// a slot number with the slot's generation, so a released slot that is used
// again never answers an old handle. Each entry keeps the number of its
// native object (IQvObject::GetNumero): once that object is gone, whoever
// freed it (the model, a group, liberaPtr), the handle answers as stale.
// Each entry also remembers the roundabout it came from, so that freeing a
// roundabout releases all of its handles.
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
        uint64_t numero = 0;                   // of the native object
        // A lone object the host owns (made by AllocaIQvObject and given to
        // no group): freed with its handle.
        bool proprio = false;
        // The edge a lone point is attached to: the point is of no use once
        // that edge is gone (0: none).
        uint64_t numeroProprietario = 0;
        uint32_t generazione = 0;
        bool viva = false;
    };

    static ManiglieGyroform& Get();

    // A new handle; 0 for a null object.
    GfManiglia Aggiungi(std::shared_ptr<IQvObjectMgd> oggetto, std::shared_ptr<IGroupMember> membro,
                        IQvObject* radice, bool proprio = false);
    // The live entry of a handle, or null (for 0, a released handle, or one
    // whose object, or whose lone point's edge, is gone).
    const Voce* Trova(GfManiglia maniglia) const;
    // The entry to change after a call (null as for Trova).
    Voce* Modifica(GfManiglia maniglia);
    // 1 when the handle was live; a lone object the host still owns is freed.
    int Rilascia(GfManiglia maniglia);
    // Releases every handle that belongs to that roundabout.
    void InvalidaRadice(const IQvObject* radice);
    // Releases every handle (for tests).
    void Svuota();

private:
    // The entry of a handle whose slot is live, whatever became of its object.
    Voce* Slot(GfManiglia maniglia);

    std::vector<Voce> m_voci;
    std::vector<uint32_t> m_libere;
};
