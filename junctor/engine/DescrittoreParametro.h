// Where a parameter of a set appears outside its record: in the style file and
// in the parameter trees.
#pragma once

struct DescrittoreParametro {
    const wchar_t* codice;  // code in the style file and the legend; empty: none
    const wchar_t* contenitore;  // element of the style that holds it; empty: not in the file
    int riga;  // row id in its parameter tree; 0: no row
    int gruppo;  // id of the group row above it; 0: no row
};

// A group row of a parameter tree: its id and its caption, translated before display.
struct GruppoAlbero {
    int riga;
    const wchar_t* titolo;
};
