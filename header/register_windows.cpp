#include "header/register_windows.h"

#include "header/atividades.h"
#include "header/contador.h"
#include "header/contribuintes.h"
#include "header/municipios.h"
#include "header/pesquisa_atividade.h"
#include "header/pesquisa_contador.h"
#include "header/pesquisa_contribuinte.h"
#include "header/pesquisa_municipio.h"

#include <QCoreApplication>

namespace zef {

std::unique_ptr<TfContribuintes> fContribuintes;
std::unique_ptr<TfContador> fContador;
std::unique_ptr<TfMunicipios> fMunicipios;
std::unique_ptr<TfAtividades> fAtividades;
std::unique_ptr<TfPesquisaMunicipio> fPesquisaMunicipio;
std::unique_ptr<TfPesquisaAtividade> fPesquisaAtividade;
std::unique_ptr<TfPesquisaContribuinte> fPesquisaContribuinte;
std::unique_ptr<TfPesquisaContador> fPesquisaContador;

void liberaJanelasCadastro()
{
    // The registers first: they may still refer to the look-ups they opened.
    fContribuintes.reset();
    fContador.reset();
    fMunicipios.reset();
    fAtividades.reset();
    fPesquisaMunicipio.reset();
    fPesquisaAtividade.reset();
    fPesquisaContribuinte.reset();
    fPesquisaContador.reset();
}

namespace detail {

void registraLiberacao()
{
    // Widgets must not outlive the application object; the global references would otherwise
    // free them during static destruction.
    static bool registrado = false;
    if (registrado || !QCoreApplication::instance())
        return;
    registrado = true;
    qAddPostRoutine([] {
        liberaJanelasCadastro();
        registrado = false;
    });
}

} // namespace detail

} // namespace zef
