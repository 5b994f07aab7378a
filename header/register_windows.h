#pragma once

#include <memory>

namespace zef {

class TfAtividades;
class TfContador;
class TfContribuintes;
class TfMunicipios;
class TfPesquisaAtividade;
class TfPesquisaContador;
class TfPesquisaContribuinte;
class TfPesquisaMunicipio;

// The global references of the register and look-up windows. They are made once by AbreJanela
// and reused, so they keep their contents (and the look-ups their last result) between
// showings. The one municipality look-up serves the header window, the municipality register
// and the taxpayer register; the taxpayer register replaces it by a fresh one before each use.
extern std::unique_ptr<TfContribuintes> fContribuintes;
extern std::unique_ptr<TfContador> fContador;
extern std::unique_ptr<TfMunicipios> fMunicipios;
extern std::unique_ptr<TfAtividades> fAtividades;
extern std::unique_ptr<TfPesquisaMunicipio> fPesquisaMunicipio;
extern std::unique_ptr<TfPesquisaAtividade> fPesquisaAtividade;
extern std::unique_ptr<TfPesquisaContribuinte> fPesquisaContribuinte;
extern std::unique_ptr<TfPesquisaContador> fPesquisaContador;

// Frees every window above and empties its reference. The windows use the data module, so this
// runs before the data module goes; it also runs by itself when the application ends.
void liberaJanelasCadastro();

namespace detail {
// Makes sure the windows are freed before the application object goes.
void registraLiberacao();
} // namespace detail

} // namespace zef
