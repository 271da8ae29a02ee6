// Type codes of the roundabout module's objects, edge codes and the point
// group selectors.
#pragma once

// Object type codes: contiguous, 29000 to 29010.
constexpr int TIPO_ROTATORIA3D = 29000;
constexpr int TIPO_CIGLIOANELLO3D = 29001;
constexpr int TIPO_CIGLIORAMO3D = 29002;
constexpr int TIPO_PUNTOCIGLIO = 29003;
constexpr int TIPO_PUNTOVERTICE = 29004;
constexpr int TIPO_PUNTOPIANO = 29005;
constexpr int TIPO_PUNTOROTAZIONE = 29006;
constexpr int TIPO_PUNTOVERIFICA = 29007;
constexpr int TIPO_PUNTONODO = 29008;
constexpr int TIPO_ASSERAMO = 29009;
constexpr int TIPO_PUNTOSEZIONE = 29010;
constexpr int TIPO_PRIMO_GYROFORM = TIPO_ROTATORIA3D;
constexpr int TIPO_ULTIMO_GYROFORM = TIPO_PUNTOSEZIONE;

// What every edge answers to IsA besides its own code.
constexpr int TIPO_CIGLIO_GENERICO = 5070;

// Framework kinds the model makes.
constexpr int TIPO_GRUPPO = 1700;
constexpr int TIPO_IMPOSTAZIONI_GRUPPO = 2005;
constexpr int TIPO_LISTA_SCELTE = 2523;
constexpr int TIPO_COLORE = 2525;

enum CodiceCiglio {
    CIGLIO_NESSUNO = 0,
    CIGLIO_ANELLO_INTERNO = 1000,
    CIGLIO_ANELLO_ESTERNO = 2000,
    CIGLIO_ESTERNO_SINISTRO = 3000,
    CIGLIO_INTERNO_SINISTRO = 4000,
    CIGLIO_INTERNO_DESTRO = 5000,
    CIGLIO_ESTERNO_DESTRO = 6000,
};

enum GruppoPunti {
    GRUPPO_PIANO = 5,
    GRUPPO_VERIFICA = 6,
    GRUPPO_ROTAZIONE = 7,
    GRUPPO_VERTICE = 8,
    GRUPPO_NODO = 9,
    GRUPPO_CIGLIO = 10,
};

// The application of the model's saved data.
constexpr const wchar_t* APP_ROTATORIA_3D = L"QV-VORTANA-INTERS-ROT_3D";
constexpr const wchar_t* TITOLO_MESSAGGI = L"Vortana";
