// Which edits of a group a host may make through the flat C layer. The
// edges, the axes, and every edge's nodes and sections are the model's own:
// the model keeps pointers into them (reference edges, partner nodes,
// linked sections) and rebuilds them itself, so a host may read them but
// not add, remove or empty. The vertex, rotation, verification and plane
// points are the host's to edit; a point joins such a group only if it is
// of the group's kind, and it then belongs to the group's edge.
#pragma once

class CCiglio3D;
class IQvObject;
class IQvObject_Group;

namespace gfgruppi {

enum class Genere {
    Libero,      // a group of no model (made alone by the host)
    Punti,       // an edge's vertex, rotation, verification or plane points
    DelModello,  // edges, axes, nodes, sections
};

struct Gruppo {
    Genere genere = Genere::Libero;
    CCiglio3D* ciglio = nullptr;  // the edge of a group of points
};

// The kind of a group reached from the roundabout (or lone object) radice.
Gruppo Classifica(const IQvObject_Group* gruppo, IQvObject* radice);

// True when the object may join the group: a point of the group's kind for
// an edge's points (which is then attached to that edge), any object but a
// group for a group of no model, nothing for the model's own groups.
bool Ammetti(const IQvObject_Group* gruppo, IQvObject* radice, IQvObject* oggetto);

// After a host's edit a keyed group lists its members in key order: the
// group that took a member, or the group of its kind on the edge of a point
// whose properties (its chainage among them) were set. The model's own
// groups are left in the order the model keeps them.
void Riordina(IQvObject_Group* gruppo, IQvObject* radice);
void RiordinaGruppoDi(IQvObject* oggetto);

}  // namespace gfgruppi
