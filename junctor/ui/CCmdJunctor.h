// The command object of the intersection commands: the roads picked for one
// command, their legs, and the four modes run on them.
#pragma once

#include <afxwin.h>
#include <arx.h>

#include "CConstrPars.h"
#include "CLanePars.h"
#include "CPrincipaleJunctor.h"
#include "CSecondariaJunctor.h"

class CJunctorSettings;
class CXmlReaderJunctor;

class CCmdJunctor {
public:
    // The main dialog's pass: it shows the command's roads and the settings,
    // runs modally and answers IDOK or IDCANCEL with its result code (0
    // cancel, 1 build, 2 select roads, 3 preview). The command opens a new
    // CDlgJunctor for each pass; tests may play the passes instead (null
    // gives the dialog back).
    using PassoDialogo = INT_PTR (*)(CCmdJunctor& comando, CJunctorSettings* settings, CXmlReaderJunctor* lettore,
                                     HINSTANCE risorse, int& codice);
    static void SetPassoDialogo(PassoDialogo passo);

    CCmdJunctor();
    ~CCmdJunctor();
    CCmdJunctor(const CCmdJunctor&) = delete;
    CCmdJunctor& operator=(const CCmdJunctor&) = delete;

    // 0 new, 1 delete, 2 update, 3 offset test; any other mode does nothing.
    bool Esegui(int modo);
    bool Nuova();
    bool Cancella();
    bool Aggiorna();
    bool ProvaOffset();

    // Road selection and leg preparation. Empty names make it prompt.
    bool SelezionaTracciato(const wchar_t* prompt, ads_name entita, CString& nome);
    bool SelezionaStrade(const wchar_t* nomePrincipale, const ads_name entitaPrincipale,
                         const wchar_t* nomeSecondaria, const ads_name entitaSecondaria);
    int IntersecaCigli(CPrincipaleJunctor* principale, const ads_name secondaria, int& verso, int& lato);
    int VersoSecondaria(const ads_name secondaria);
    void LatoSecondaria(CSecondariaJunctor* ramo);
    void CopiaParCorsie(CSecondariaJunctor* ramo, CLanePars corsie);
    // With stored values (the update) the new legs keep every value of the
    // given sets: they are not sized from the roads, and the six angles are
    // set back after the island is placed.
    void PreparaElementi(const wchar_t* nomePrincipale, const ads_name entitaPrincipale,
                         const wchar_t* nomeSecondaria, const ads_name entitaSecondaria, CJunctorSettings* settings,
                         CConstrPars parametri, CLanePars corsie, bool valoriMemorizzati = false);

    // An intersection drawn earlier for this leg of the pair of roads: its
    // id into the command (cleared first); false when there is none. Both
    // legs of a crossing carry the same names, so among the ids of the pair
    // the leg's own is the one whose drop island lies nearest to the leg's
    // island base point, on the leg's side of the main axis; ids already
    // taken in this command are not offered again.
    bool CercaIdEsistente(const CString& nomePrincipale, const CString& nomeRamo, const CSecondariaJunctor* ramo);
    // Erases every intersection polyline that carries the command's id
    // (nothing for an empty id); false when there is nothing to select.
    bool CancellaDaId();
    // Removes the records of the command's id from the data lists of the
    // alignment of that axis entity and commits it; false, with a log line
    // when the entity cannot be reached, when it is not an alignment. The
    // command's main road lets go of the axis during the commit.
    bool RimuoviRecordId(const ads_name asse);
    // Whether the alignment of an axis holds a lane record of the id.
    static bool HaRecordId(const ads_name asse, const CString& id);

    // The earlier drawing of a leg that was built again: the id's lane
    // records, then its polylines, these only once the records are gone.
    // False, with a log line, when the records cannot be removed. Both this
    // and the next leave `id` as the command's id.
    bool TogliPrecedente(const CString& id, const ads_name asse);
    // What a refused build drew and recorded under its id: its lane records
    // (an alignment that holds none is not committed again), then its
    // polylines in any case. False, with a log line, when the records
    // cannot be removed.
    bool TogliRifiutato(const CString& id, const ads_name asse);

    // The build of every checked leg, with the error dialog on a failure.
    // A leg drawn earlier for the same roads is replaced only by a leg built
    // whole; a refused leg then takes away what it drew and recorded, the
    // earlier one stays as it was and the log says so.
    void CostruisciRami(CJunctorSettings* settings);
    // The build of one leg under a new id (given back in `id`); false, with
    // the builder's log in the command's, when the leg was not built whole.
    bool CostruisciRamo(CSecondariaJunctor* ramo, CJunctorSettings* settings, CString& id);
    // The error dialog with the command's log, when a leg failed.
    void MostraErrori();

    CPrincipaleJunctor* GetPrincipale() const { return m_principale; }
    CSecondariaJunctor* GetIn() const { return m_in; }
    CSecondariaJunctor* GetOut() const { return m_out; }
    const CString& GetLog() const { return m_log; }
    const CString& GetId() const { return m_id; }
    void SetId(const CString& id) { m_id = id; }
    bool GetTuttiCostruiti() const { return m_tuttiCostruiti; }
    void GetPuntoIntersezione(ads_point p) const;

    // The command's own sets of new legs; the settings point back at them
    // whenever the legs they pointed at go.
    void SetParametriPropri(CConstrPars* parametri, CLanePars* corsie, CJunctorSettings* settings);

    // AUNITS as the settings' unit index of the drawing (0 deg, 1 grad, 2
    // rad, 3 dms, 4 surveyor's); 2 when it cannot be read or is unknown.
    static int UnitaAutoCAD();

private:
    // The id of the earlier drawing of each checked leg (In, Out), empty
    // where there is none; both are found before anything is built.
    void CercaPrecedenti(CString& in, CString& out);

    bool m_tuttiCostruiti = false;
    CString m_log;
    CPrincipaleJunctor* m_principale = nullptr;
    CSecondariaJunctor* m_in = nullptr;
    CSecondariaJunctor* m_out = nullptr;
    double m_x = 0, m_y = 0, m_z = 0;
    CString m_id;
    CStringArray m_idPresi;

    CConstrPars* m_parametriPropri = nullptr;
    CLanePars* m_corsiePropri = nullptr;
    CJunctorSettings* m_settings = nullptr;
};

// The margin set before every build (see CConstrJunctor.h).
extern double MargineProgressiva;
