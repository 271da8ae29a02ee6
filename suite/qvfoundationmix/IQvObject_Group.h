// An ordered group of engineering objects. The group owns its members'
// objects and its display-settings object: removing a member, emptying the
// group, replacing the settings and destroying the group free them.
#pragma once

#include "IQvObject.h"
#include "IQvObjectConstructor.h"

constexpr int QV_TIPO_GRUPPO = 1700;
constexpr int QV_DATO_NOME_GRUPPO = 22650;

class IQvObject_Group;

// A place in a group: its object and its neighbours.
class IQvObject_GroupMember {
public:
    IQvObject* GetObject() const { return m_oggetto; }
    // Null at the ends.
    IQvObject_GroupMember* GetNext() const { return m_next; }
    IQvObject_GroupMember* GetPrevious() const { return m_prev; }

private:
    friend class IQvObject_Group;
    IQvObject_GroupMember(IQvObject_Group* gruppo, IQvObject* oggetto) : m_gruppo(gruppo), m_oggetto(oggetto) {}

    IQvObject_Group* m_gruppo;
    IQvObject* m_oggetto;
    IQvObject_GroupMember* m_prev = nullptr;
    IQvObject_GroupMember* m_next = nullptr;
};

class IQvObject_Group : public CQvOggettoDati {
public:
    IQvObject_Group();
    ~IQvObject_Group() override;
    IQvObject_Group(const IQvObject_Group&) = delete;
    IQvObject_Group& operator=(const IQvObject_Group&) = delete;

    // The name is property 22650 (a text); no other property is kept.
    int LeggiDato(int id, CDato& dato) const override;
    int SetDato(const CDato& dato, int modo = 1) override;
    CString GetNomeTipo() const override { return L"Gruppo"; }

    // Null when the group is empty.
    IQvObject_GroupMember* GetFirstMember() const { return m_primo; }
    IQvObject_GroupMember* GetLastMember() const { return m_ultimo; }
    int GetMemberCount() const { return m_numero; }

    // Puts the object in front of a member of this group, whatever the key;
    // null (and the object stays the caller's) when the member is not here.
    IQvObject_GroupMember* InsertBefore(IQvObject_GroupMember* membro, IQvObject* oggetto);
    // Adds the object: at the end in a group without a key, else after the
    // last member whose key is not greater (keys as the members read now).
    // The new member, or null for a null object.
    IQvObject_GroupMember* Append(IQvObject* oggetto);
    // Adds a record in key order (operation 23): the same place as Append.
    IQvObject_GroupMember* AddRecord(IQvObject* oggetto);
    // Takes the member out and frees its object: 1, or 0 when the member is
    // not in this group. The member is gone afterwards: a walk that removes
    // its current member takes the next one first.
    int RemoveMember(IQvObject_GroupMember* membro);
    // Removes and frees every member (operation 30).
    void Empty();
    // Puts the members of a keyed group back in key order, as their keys
    // read now (a member moved after it joined keeps its place until then);
    // members with equal keys keep their order. 1 when a member moved.
    int Riordina();

    // The constructor that makes the members and frees them; without one the
    // objects are destroyed directly.
    void SetConstructor(IQvObjectConstructor* costruttore) { m_costruttore = costruttore; }
    IQvObjectConstructor* GetConstructor() const { return m_costruttore; }
    // The display settings (an object the group then owns); the previous
    // settings are freed.
    void SetDisplaySettings(IQvObject* impostazioni);
    IQvObject* GetDisplaySettings() const { return m_impostazioni; }
    // The set-up: constructor, the members' type code and the key (a property
    // id of the members, 0 for none, and a second value kept with it).
    void Setup(IQvObjectConstructor* costruttore, int tipoMembri, int idChiave, int valoreChiave);
    int GetMemberType() const { return m_tipoMembri; }
    int GetKeyId() const { return m_idChiave; }
    int GetKeyValue() const { return m_valoreChiave; }

private:
    double ChiaveDi(const IQvObject* oggetto) const;
    void Collega(IQvObject_GroupMember* nuovo, IQvObject_GroupMember* prima);
    void LiberaOggetto(IQvObject* oggetto);

    IQvObject_GroupMember* m_primo = nullptr;
    IQvObject_GroupMember* m_ultimo = nullptr;
    int m_numero = 0;
    IQvObjectConstructor* m_costruttore = nullptr;
    IQvObject* m_impostazioni = nullptr;
    int m_tipoMembri = 0;
    int m_idChiave = 0;
    int m_valoreChiave = 0;
};
