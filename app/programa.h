#pragma once

#include "app/trata_excecao.h"

#include <QString>

#include <functional>
#include <memory>

namespace zef {

class Dialogs;
class TfDmDados;
class TfPrincipal;

// Entries of the main window whose windows later parts of the program provide. An empty entry leaves
// its button or menu item inert.
struct EntradasPrincipal {
    std::function<void()> cadastrarZef;     // "Cadastrar &ZEF": TfCadZEF with AbreJanela, its reference cleared afterwards
    std::function<void()> gravarArquivo;    // "&Gravar arquivo": TfCopiaArquivos, modal, freed
    std::function<void()> imprimirZef;      // "Im&primir ZEF": TfOpcRelat with AbreJanela
    std::function<void()> contribuintes;    // "&Contribuintes": TfContribuintes with AbreJanela
    std::function<void()> contabilista;     // "C&ontabilista Responsável pela Declaração": TfContador with AbreJanela
    std::function<void()> importarDadosContribuintes;   // "&Importar Dados Contribuintes ZEF 2025": TFrmImportarDados
    std::function<void()> municipios;       // "M&unicípios": TfMunicipios with AbreJanela
    std::function<void()> atividades;       // "&Atividades ": TfAtividades with AbreJanela
    std::function<void()> importarDadosTxt; // "&Importar dados do sistema de contablidade p/ ZEF Eletrônico": TfImportaDadosTxt
};

// What the running program is made of beyond its windows: the data module, the error handler, the
// index rebuild and the way the program ends. The start-up builds one; tests build their own over a
// temporary folder and scripted dialogs.
class Programa
{
public:
    // programDir holds Db, Zef.ini and Erros.log; pagesDir the help pages (programDir when empty).
    Programa(Dialogs &dialogs, QString programDir, QString pagesDir = {});
    ~Programa();
    Programa(const Programa &) = delete;
    Programa &operator=(const Programa &) = delete;

    Dialogs &dialogs() const { return m_dialogs; }
    const QString &programDir() const { return m_programDir; }
    const QString &pagesDir() const { return m_pagesDir; }

    // Creates the data module and runs its creation steps, the error handler installed first. An error
    // in a step ends the remaining steps and goes to the handler; the module exists either way.
    TfDmDados &criaModuloDados();
    TfDmDados *dm() const { return m_dm.get(); }

    // Creates the main window, not yet shown.
    TfPrincipal &criaJanelaPrincipal();
    TfPrincipal *janelaPrincipal() const { return m_principal.get(); }

    TrataExcecao &trataExcecao() { return m_trataExcecao; }

    // The index rebuild from "Zef.ini" beside the program, with the progress window; it ends the
    // program. reabreBanco: connect the database again afterwards, as the menu does.
    void reindexa(bool reabreBanco);

    // True once something has ended the program.
    bool encerrado() const { return m_encerrado; }

    // How the program ends: the start-up leaves the message loop. Called after encerrado() turns true.
    std::function<void()> aoEncerrar;
    // The rebuild's closing box; by default through dialogs() with one button OK.
    std::function<void(const QString &)> avisoReindexacao;
    // The previous installation's import at start-up (the import window, without showing it); while
    // empty the start-up imports nothing.
    std::function<void(const QString &pasta)> importarInstalacaoAnterior;

    EntradasPrincipal entradas;
    // Runs before the data module goes: windows kept between showings are freed here.
    std::function<void()> antesDeLiberarModulo;

private:
    void encerra();

    Dialogs &m_dialogs;
    QString m_programDir;
    QString m_pagesDir;
    TrataExcecao m_trataExcecao;
    std::unique_ptr<TfDmDados> m_dm;
    std::unique_ptr<TfPrincipal> m_principal;
    bool m_encerrado = false;
};

} // namespace zef
