// The suite's project manager: where the current project keeps its settings
// file, the project's settings, and the calls around drawing and exporting.
//
// The settings file is an INI file (sections SUFFISSILAYERTOP, LAYER and
// IMPOSTAZIONI); the host names it with --project. Without a project every
// setting takes its default.
#pragma once

#include <string>

#include "CADDatoArray.h"

class ICQvLorvent {
public:
    virtual ~ICQvLorvent() = default;
    // The settings file's path in backslash form, cut to the buffer's size
    // and terminated; 1 when the project has a settings file, else 0 with an
    // empty text.
    virtual int GetFileImpostazioni(wchar_t* buffer, int dimensione) = 0;
    // Appends the setting of that key (section IMPOSTAZIONI): one real entry
    // (1040) when its text is a number, else one text entry (1000); nothing
    // when the key is missing. 1 when found.
    virtual int GetImpostazione(const wchar_t* chiave, CADDatoArray& valore) = 0;
    // Told before (true) and after (false) the model's layers are drawn on.
    virtual void DisegnoLayer(bool inCorso, const wchar_t* prefisso) = 0;
    // Told after an export drew on the layers of that prefix.
    virtual void LayerEsportati(const wchar_t* prefisso) = 0;
};

// The current project's manager; process-wide, never freed.
ICQvLorvent* getLorvent();

namespace vplat {
// The project settings file the host was given (a path of this machine);
// empty for none.
void SetProjectFile(const std::string& path);
}  // namespace vplat
