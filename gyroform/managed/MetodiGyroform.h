// The managed API's one method table. Each row is one managed method of a
// wrapper or one operation of the native interfaces:
//
//   N(class, native interface, method, native slot, result, (parameters), (arguments), form)
//       a managed method forwarding to the native operation of the same
//       name at that slot (slots count the eleven IQvObject operations
//       first, the destructor as 1, so an interface's own operations start
//       at 12); form INOLTRA converts the arguments and the result by their
//       kinds, PROPRIO has a body of its own in the class's source.
//   S(native interface, method, native slot)
//       a native operation without a managed method.
//   G(class, method, result, (parameters))
//       a managed method without a native slot (its body in the class's source).
//
// The wrappers' declarations and bodies, the flat C functions and the
// registry of methods by name are all expanded from these rows.
#pragma once

#define GF_METODI_ROTATORIA3D(N, S, G)                                                                              \
    N(Rotatoria3D, ICRotatoria3D, disegna, 12, int, (std::shared_ptr<IEntityIDMgd> idMgd), (idMgd), INOLTRA)         \
    N(Rotatoria3D, ICRotatoria3D, disegna3D, 13, int, (std::shared_ptr<ICiglio3D> ciglioChanged), (ciglioChanged),    \
      INOLTRA)                                                                                                       \
    S(ICRotatoria3D, inizializzaCalcolo, 14)                                                                         \
    N(Rotatoria3D, ICRotatoria3D, aggiorna, 15, int, (), (), INOLTRA)                                                \
    N(Rotatoria3D, ICRotatoria3D, getCigli, 16, std::shared_ptr<IGroup>, (), (), INOLTRA)                            \
    N(Rotatoria3D, ICRotatoria3D, getAssi, 17, std::shared_ptr<IGroup>, (), (), INOLTRA)                             \
    N(Rotatoria3D, ICRotatoria3D, getPassoDiscr, 18, double, (), (), INOLTRA)                                        \
    N(Rotatoria3D, ICRotatoria3D, setPassoDiscr, 19, int, (double passoDiscr), (passoDiscr), INOLTRA)                \
    N(Rotatoria3D, ICRotatoria3D, getPassoSezioni, 20, double, (), (), INOLTRA)                                      \
    N(Rotatoria3D, ICRotatoria3D, setPassoSezioni, 21, int, (double passoSezioni), (passoSezioni), INOLTRA)          \
    N(Rotatoria3D, ICRotatoria3D, ricalcola, 22, int,                                                                \
      (std::shared_ptr<ICiglio3D> ciglio, int tipoEvento, int tipoGruppoPunti, std::shared_ptr<IGroupMember> puntoMgd, \
       std::shared_ptr<DatoMgd> datoMgd),                                                                            \
      (ciglio, tipoEvento, tipoGruppoPunti, puntoMgd, datoMgd), INOLTRA)                                            \
    N(Rotatoria3D, ICRotatoria3D, getPendenzaMinima, 23, double, (), (), INOLTRA)                                    \
    N(Rotatoria3D, ICRotatoria3D, setPendenzaMinima, 24, void, (double pendMin), (pendMin), INOLTRA)                 \
    N(Rotatoria3D, ICRotatoria3D, getPendenzaMassima, 25, double, (), (), INOLTRA)                                   \
    N(Rotatoria3D, ICRotatoria3D, setPendenzaMassima, 26, void, (double pendMax), (pendMax), INOLTRA)                \
    N(Rotatoria3D, ICRotatoria3D, getNome, 27, std::wstring, (), (), INOLTRA)                                        \
    N(Rotatoria3D, ICRotatoria3D, getRicalcolaPendenzeRami, 28, int, (), (), INOLTRA)                                \
    N(Rotatoria3D, ICRotatoria3D, setRicalcolaPendenzeRami, 29, void, (int ricalcola), (ricalcola), INOLTRA)         \
    N(Rotatoria3D, ICRotatoria3D, esporta, 30, int, (Point3DMgd ptIns), (ptIns), INOLTRA)                            \
    G(Rotatoria3D, liberaPtr, void, ())

#define GF_METODI_CIGLIO3D(N, S, G)                                                                                  \
    N(Ciglio3D, ICCiglio3D, getDescrizione, 12, std::wstring, (), (), INOLTRA)                                       \
    N(Ciglio3D, ICCiglio3D, getPunti, 13, std::shared_ptr<IGroup>, (int tipo), (tipo), INOLTRA)                      \
    N(Ciglio3D, ICCiglio3D, getProgDaPunto, 14, int, (double& progMgd, Point3DMgd pnt), (progMgd, pnt), PROPRIO)     \
    N(Ciglio3D, ICCiglio3D, getPuntoDaProg, 15, int, (double prog, Point3DMgd& pnt), (prog, pnt), INOLTRA)           \
    N(Ciglio3D, ICCiglio3D, getPunti3DCiglio, 16, std::shared_ptr<CADDatoArrayMgd>, (), (), INOLTRA)                 \
    N(Ciglio3D, ICCiglio3D, getPuntiAltCiglio, 17, std::shared_ptr<CADDatoArrayMgd>, (int tipoGruppo), (tipoGruppo),  \
      INOLTRA)                                                                                                       \
    N(Ciglio3D, ICCiglio3D, getTipoCalcolo, 18, int, (), (), INOLTRA)                                                \
    N(Ciglio3D, ICCiglio3D, setTipoCalcolo, 19, int, (int tipoCalcolo), (tipoCalcolo), INOLTRA)                      \
    N(Ciglio3D, ICCiglio3D, setProfRif, 20, int, (int tipoCiglioRif), (tipoCiglioRif), INOLTRA)                      \
    N(Ciglio3D, ICCiglio3D, getTipiCalcolo, 21, void, (std::shared_ptr<CADDatoArrayMgd> tipiCalcolo), (tipiCalcolo),  \
      INOLTRA)                                                                                                       \
    N(Ciglio3D, ICCiglio3D, getCiglioRif, 22, std::shared_ptr<ICiglio3D>, (), (), INOLTRA)                           \
    N(Ciglio3D, ICCiglio3D, getCodiceEnum, 23, int, (), (), INOLTRA)                                                 \
    N(Ciglio3D, ICCiglio3D, highlight, 24, void, (double prog), (prog), INOLTRA)                                     \
    N(Ciglio3D, ICCiglio3D, getVisualizzaSuGrafico, 25, int, (int tipoGruppoPunti), (tipoGruppoPunti), INOLTRA)      \
    N(Ciglio3D, ICCiglio3D, setVisualizzaSuGrafico, 26, void, (int tipoGruppoPunti, int visualizza),                 \
      (tipoGruppoPunti, visualizza), INOLTRA)                                                                        \
    N(Ciglio3D, ICCiglio3D, getLunghezza, 27, double, (), (), INOLTRA)                                               \
    N(Ciglio3D, ICCiglio3D, setUsaPianoParallelo, 28, void, (int usa), (usa), INOLTRA)                               \
    N(Ciglio3D, ICCiglio3D, getUsaPianoParallelo, 29, int, (), (), INOLTRA)                                          \
    N(Ciglio3D, ICCiglio3D, setDiffQuotaPiani, 30, void, (double diffQuota), (diffQuota), INOLTRA)                   \
    N(Ciglio3D, ICCiglio3D, getDiffQuotaPiani, 31, double, (), (), INOLTRA)                                          \
    G(Ciglio3D, svuotaGruppoPunti, void, (int tipo))

#define GF_METODI_ASSERAMO(N, S, G)                                                                                  \
    N(AsseRamo, ICAsseRamo, getProfili, 12, ArrayList, (), (), PROPRIO)                                              \
    N(AsseRamo, ICAsseRamo, setProfilo, 13, int, (std::wstring layerName), (layerName), PROPRIO)                     \
    N(AsseRamo, ICAsseRamo, getProfilo, 14, std::wstring, (), (), INOLTRA)                                           \
    N(AsseRamo, ICAsseRamo, getNome, 15, std::wstring, (), (), INOLTRA)                                              \
    N(AsseRamo, ICAsseRamo, getQuotaCentriRotazione, 16, double, (), (), INOLTRA)                                    \
    N(AsseRamo, ICAsseRamo, setQuotaCentriRotazione, 17, void, (double quota), (quota), INOLTRA)                     \
    N(AsseRamo, ICAsseRamo, getPendenzaLongCentriDiRotazione, 18, double, (), (), INOLTRA)                           \
    N(AsseRamo, ICAsseRamo, setPendenzaLongCentriDiRotazione, 19, void, (double pendenza), (pendenza), INOLTRA)      \
    N(AsseRamo, ICAsseRamo, isQuotaCentriRotazioneNP, 20, int, (), (), INOLTRA)

#define GF_METODI_PUNTOCIGLIO(N, S, G)                                                                               \
    N(PuntoCiglio, ICPuntoCiglio, inizializza, 12, int, (std::shared_ptr<ICiglio3D> owner, bool setDefault),        \
      (owner, setDefault), INOLTRA)

#define GF_METODI(N, S, G)                                                                                           \
    GF_METODI_ROTATORIA3D(N, S, G)                                                                                   \
    GF_METODI_CIGLIO3D(N, S, G)                                                                                      \
    GF_METODI_ASSERAMO(N, S, G)                                                                                      \
    GF_METODI_PUNTOCIGLIO(N, S, G)

// Helpers for the expansions.
#define GF_NIENTE(...)
#define GF_SPACCHETTA(...) __VA_ARGS__
// Declarations in the managed interfaces and in the classes.
#define GF_ASTRATTO_N(C, I, m, s, R, P, A, f) virtual R m P = 0;
#define GF_ASTRATTO_G(C, m, R, P) virtual R m P = 0;
#define GF_OVERRIDE_N(C, I, m, s, R, P, A, f) R m P override;
#define GF_OVERRIDE_G(C, m, R, P) R m P override;
// Bodies of the rows whose form is not PROPRIO.
#define GF_CORPO_INOLTRA(C, I, m, R, P, A) \
    R C::m P { return gfmgd::Inoltra<&C::m>(static_cast<I*>(Nativo()), &I::m, std::forward_as_tuple A); }
#define GF_CORPO_PROPRIO(C, I, m, R, P, A)
#define GF_CORPO_N(C, I, m, s, R, P, A, f) GF_CORPO_##f(C, I, m, R, P, A)
