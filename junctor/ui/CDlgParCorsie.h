// The lane parameters dialog: the input parameters of the entry, exit and
// left-turn storage lanes of the settings' lane set, in three parameter trees.
// OK reads the trees back into the set; Annulla leaves it as it was.
#pragma once

#include <afxwin.h>

#include <CJunctorSettings.h>

#include "CLaneParsOptionTree.h"

class CDlgParCorsie : public CDialog {
    DECLARE_DYNAMIC(CDlgParCorsie)

public:
    explicit CDlgParCorsie(CWnd* parent = nullptr);
    ~CDlgParCorsie() override;

    void SetImpostazioni(CJunctorSettings* settings) { m_pSettings = settings; }
    void SetRisorse(HINSTANCE risorse) { m_hRisorse = risorse; }

    // The help topic of the intersection dialogs, in the module folder's help file.
    static void ApriGuida();

    CLaneParsOptionTree& GetAlberoImmissione() { return m_otImmissione; }
    CLaneParsOptionTree& GetAlberoUscita() { return m_otUscita; }
    CLaneParsOptionTree& GetAlberoSvoltaSx() { return m_otSvoltaSx; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnBnClickedHelp();

    DECLARE_MESSAGE_MAP()

private:
    CLaneParsOptionTree m_otImmissione;
    CLaneParsOptionTree m_otUscita;
    CLaneParsOptionTree m_otSvoltaSx;
    CJunctorSettings* m_pSettings = nullptr;
    HINSTANCE m_hRisorse = nullptr;
};
