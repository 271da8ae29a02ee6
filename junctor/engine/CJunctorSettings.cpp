#include "CJunctorSettings.h"

#include "NumeroTesto.h"
#include "TranslatorBinding.h"

namespace {

const wchar_t kFrancese[] = L"Francese";
const wchar_t kSvizzero[] = L"Svizzero";
const wchar_t kMetodoFrancese[] = L"F";
const wchar_t kMetodoSvizzero[] = L"CH";

CString SiNo(bool valore) { return valore ? L"Y" : L"N"; }

}  // namespace

CJunctorSettings::CJunctorSettings()
    : m_nomeRadianti(TranslateText(L"radianti")),
      m_nomeGradiDecimali(TranslateText(L"gradi decimali")),
      m_nomeGradiCentesimali(TranslateText(L"gradi centesimali")),
      m_nomeGradiMinutiSecondi(TranslateText(L"gradi-minuti-secondi")),
      m_nomeUnitaTopografiche(TranslateText(L"unit\u00e0 topografiche")) {}

void CJunctorSettings::GetNomiUnitaAngoli(CStringArray& nomi) const {
    nomi.Add(m_nomeGradiCentesimali);
    nomi.Add(m_nomeGradiDecimali);
    nomi.Add(m_nomeGradiMinutiSecondi);
    nomi.Add(m_nomeRadianti);
    nomi.Add(m_nomeUnitaTopografiche);
}

CString CJunctorSettings::NomeUnita(int indice) const {
    switch (indice) {
    case 0: return m_nomeGradiDecimali;
    case 1: return m_nomeGradiCentesimali;
    case 2: return m_nomeRadianti;
    default: return CString();
    }
}

CString CJunctorSettings::GetNomeUnitaAngoli() const { return NomeUnita(m_unitaAngoli); }

CString CJunctorSettings::GetNomeUnitaAutoCAD() const { return NomeUnita(m_unitaAutoCAD); }

void CJunctorSettings::SetUnitaAngoliDaNome(CString nome) {
    if (nome == m_nomeRadianti)
        m_unitaAngoli = 2;
    else if (nome == m_nomeGradiDecimali)
        m_unitaAngoli = 0;
    else if (nome == m_nomeGradiCentesimali)
        m_unitaAngoli = 1;
}

CString CJunctorSettings::GetNomeMetodo() const {
    if (m_metodo == kMetodoFrancese) return TranslateText(kFrancese);
    if (m_metodo == kMetodoSvizzero) return TranslateText(kSvizzero);
    return m_metodo;
}

void CJunctorSettings::GetNomiMetodi(CStringArray& nomi) const {
    nomi.Add(CString(TranslateText(kFrancese)));
    nomi.Add(CString(TranslateText(kSvizzero)));
}

void CJunctorSettings::SetMetodoDaNome(CString nome) {
    if (nome == CString(TranslateText(kFrancese)))
        m_metodo = kMetodoFrancese;
    else if (nome == CString(TranslateText(kSvizzero)))
        m_metodo = kMetodoSvizzero;
    else
        m_metodo = nome;
}

CString CJunctorSettings::GetDecimaliTesto() const {
    CString testo;
    testo.Format(L"%d", m_decimali);
    return testo;
}

CString CJunctorSettings::GetIncrementoTesto() const { return FormattaNumero(m_incremento, m_decimali); }

CString CJunctorSettings::GetTricentricaTesto() const { return SiNo(m_tricentrica); }

CString CJunctorSettings::GetUseAutoCADTesto() const { return SiNo(m_useAutoCAD); }

void CJunctorSettings::SetTricentricaDaTesto(CString testo) { m_tricentrica = testo == L"Y"; }

void CJunctorSettings::SetUseAutoCADDaTesto(CString testo) { m_useAutoCAD = testo == L"Y"; }

void CJunctorSettings::GetStileCorrente(CString& nome, CString& descrizione) const {
    if (!m_stili) AfxThrowInvalidArgException();
    m_stili->GetCorrente(nome, descrizione);
}

void CJunctorSettings::CopiaStili(CArray<ConstrStyle>& stili) const {
    if (!m_stili) return;
    if (&stili == m_stili) AfxThrowInvalidArgException();
    stili.Append(*m_stili);
}

void CJunctorSettings::SelezionaStile(CString nome) {
    if (m_stili) m_stili->Seleziona(nome);
    if (m_parametri) m_parametri->SetNome(nome);
}

void CJunctorSettings::ApplicaUnitaAngoli() {
    if (m_parametri) m_parametri->SetUnitaAngoli(m_unitaAngoli);
}
