// The context of one Sheetor command: the working drawing, the sheets found
// along the alignment and the title block's fields.
#pragma once

#include <arx.h>

#include <string>
#include <vector>

// One sheet: where the alignment enters its outline and how the outline
// stands in model space.
struct DatiTavola {
    double progressiva;  // chainage at the outline's left edge; 0 when the alignment misses it
    double x, y, z;      // insertion point of the outline's reference
    double rotazione;    // radians
    double scala;        // print scale ("SCALEDISTR")
    double larghezza;    // outline size in drawing units
    double altezza;
};

// One field of the title block.
struct DatiAttributo {
    std::wstring etichetta;  // the definition's prompt: joins definitions, grid rows and attributes
    std::wstring valore;     // the default text, then the text typed in the dialog
    bool contatore = false;  // numbered per sheet
};

class CGestoreTavole {
public:
    CGestoreTavole();

    // Bodies of the three commands: 0 done, 3 stopped.
    int DisegnaTavole();
    int CreaContornoTavola();
    int InserisciNord();

    int CreaBloccoContorno(const ads_point punto, double larghezza, double altezza, double scala);
    // The value of the reference's last "SCALEDISTR" attribute (_wtof);
    // -1.0 when it has none, which marks a reference that is no outline.
    double LeggiScalaTavola(const AcDbBlockReference* riferimento) const;
    // Appends an entity to the current layout's block; a viewport is then
    // switched on. 3 with the entity deleted when it cannot be appended.
    int AggiungiAPaperSpace(AcDbEntity* entita);
    // The non-constant attribute definitions of the title block, in order.
    int LeggiAttributiCartiglio(AcDbObjectId blocco);
    // Gives the title-block reference (open for write) one attribute per
    // non-constant definition, its text from the fields; counters advance by
    // the sheet index.
    int AggiungiAttributiCartiglio(AcDbBlockReference* riferimento, AcDbObjectId blocco, int indice);

    AcDbDatabase* m_pDb = nullptr;
    std::vector<DatiTavola> m_tavole;
    wchar_t m_szLayerNord[256];
    wchar_t m_szLayerContorno[256];
    wchar_t m_szLayerScala[256];
    std::vector<DatiAttributo> m_attributi;

private:
    // The USERS1 gate and the suite's folder ("qv-cpath"); false to stop.
    bool Avvio(std::wstring* cartella) const;
    // Fills m_tavole from the selected outlines.
    void LeggiTavole(const ads_name selezione, const class ICTRACCIATO* tracciato);
    // Reads a drawing file into a block of the working drawing named after
    // the file; a null id when it cannot be read or inserted.
    AcDbObjectId BloccoDaFile(const std::wstring& percorso);
};

// The file name of a path without its last four characters; empty when the
// name has four characters or fewer.
std::wstring NomeBloccoDaFile(const std::wstring& percorso);
// The file dialog of the title-block drawing; false when cancelled.
bool ChiediDisegnoCartiglio(std::wstring& percorso);
// The size of an outline block: the extents of its last 2D polyline. 1
// found, 0 no 2D polyline, -1 a block that cannot be read.
int MisuraContorno(AcDbObjectId blocco, double& larghezza, double& altezza);
// Ascending chainage.
bool ConfrontaProgressive(const DatiTavola& a, const DatiTavola& b);
// A counter's value as _wtoi reads it (leading blanks, a sign, digits; any
// other text 0), in 64 bits.
long long ValoreContatore(const std::wstring& testo);
// A counter's value on the sheet of that index; at the ends of the 64-bit
// range it stays there.
long long ContatoreTavola(long long valore, int indice);
// The layout name of a sheet: the prefix and the chainage cut toward zero,
// with "_k" for k > 0.
std::wstring NomeLayout(const std::wstring& prefisso, double progressiva, int k);

// Exported commands.
extern "C" void DisTr();
extern "C" void BlkDisTr();
extern "C" void BlkNord();
