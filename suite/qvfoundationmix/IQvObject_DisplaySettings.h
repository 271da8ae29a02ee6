// How a group is shown: a list of (setting, value) pairs in the order given.
#pragma once

#include <utility>
#include <vector>

#include "IQvObject.h"

constexpr int QV_TIPO_IMPOSTAZIONI = 2005;

class IQvObject_DisplaySettings : public CQvOggettoDati {
public:
    IQvObject_DisplaySettings() : CQvOggettoDati(QV_TIPO_IMPOSTAZIONI) {}
    void Imposta(int impostazione, int valore) { m_impostazioni.emplace_back(impostazione, valore); }
    const std::vector<std::pair<int, int>>& GetImpostazioni() const { return m_impostazioni; }

private:
    std::vector<std::pair<int, int>> m_impostazioni;
};
