#include "app/inicio.h"
#include "app/main_window.h"
#include "app/programa.h"
#include "app/widgets/widget_errors.h"
#include "engine/engine_error.h"
#include "export/window/copia_arquivos.h"
#include "header/cad_zef.h"
#include "header/open_registers.h"
#include "header/register_windows.h"
#include "import/window/importa_dados_txt.h"
#include "import/window/importar_dados.h"
#include "sections/abre_secoes.h"

namespace {

// The windows of the registers, the export and the imports, plugged into the main window's entries.
void ligaJanelas(zef::Programa &programa)
{
    using namespace zef;
    Programa *p = &programa;
    auto janela = [p]() -> QWidget * { return p->janelaPrincipal(); };
    auto &e = programa.entradas;
    e.cadastrarZef = [p, janela] {
        abreCadastroZef(janela(), *p->dm(), p->dialogs(),
                        [p](TfOpcoes &opcoes) { ligaEditoresSecao(opcoes, *p->dm(), p->dialogs()); });
    };
    e.contribuintes = [p, janela] { abreContribuintes(janela(), *p->dm(), p->dialogs()); };
    e.contabilista = [p, janela] { abreContador(janela(), *p->dm(), p->dialogs()); };
    e.municipios = [p, janela] { abreMunicipios(janela(), *p->dm(), p->dialogs()); };
    e.atividades = [p, janela] { abreAtividades(janela(), *p->dm(), p->dialogs()); };
    e.gravarArquivo = [p, janela] {
        abreCopiaArquivos(janela(), *p->dm(), p->dialogs(),
                          [p](const QString &message) { p->trataExcecao().trata(message); });
    };
    e.importarDadosContribuintes = [p, janela] {
        abreImportarDados(janela(), *p->dm(), p->dialogs(),
                          [p](const QString &message) { p->trataExcecao().trata(message); });
    };
    // At start-up the same window, never shown: its error ends the data module's creation and
    // reaches the handler from there.
    programa.importarInstalacaoAnterior = [p](const QString &pasta) {
        importaInstalacaoAnterior(*p->dm(), p->dialogs(), pasta);
    };
    e.importarDadosTxt = [p, janela] {
        abreImportaDadosTxt(janela(), *p->dm(), p->dialogs(),
                            [p](const QString &message) { p->trataExcecao().trata(message); });
    };
    // Errors raised while a data-aware control writes its field go where every other error goes.
    setWidgetErrorHandler([p](const std::exception &error) {
        const auto *engine = dynamic_cast<const EngineError *>(&error);
        p->trataExcecao().trata(engine ? engine->message() : QString::fromLocal8Bit(error.what()));
    });
    programa.antesDeLiberarModulo = [] {
        setWidgetErrorHandler({});
        fCadZEF.reset();
        liberaJanelasCadastro();
    };
}

} // namespace

int main(int argc, char *argv[])
{
    return zef::executaPrograma(argc, argv, ligaJanelas);
}
