#include "header/contador.h"

#include "app/abre_janela.h"
#include "app/widgets/db_edit.h"
#include "app/widgets/db_navigator.h"
#include "app/widgets/pending_edits.h"
#include "app/widgets/widget_errors.h"
#include "app/window_ui.h"
#include "data/accountant_register.h"
#include "data/data_module.h"
#include "data/dialogs.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zef {

using namespace Qt::StringLiterals;

TfContador::TfContador(TfDmDados &dm, Dialogs &dialogs, QWidget *parent)
    : EditingDialog(dm.tbContador, dialogs, Novo | Gravar | Cancelar | Excluir | Retornar | Navegador,
                    u"fContador"_s, u"Contador"_s, parent),
      m_dm(dm),
      m_ligacao(dm.fContador, static_cast<EditingWindow *>(this))
{
    struct Linha {
        QString rotulo;
        QString campo;
        int largura;
    };
    const QList<Linha> linhas{
        {u"CPF"_s, u"CPFContador"_s, 16},
        {u"CRC"_s, u"CRCContador"_s, 20},
        {u"Nome"_s, u"NomeContador"_s, 60},
        {u"Endereço"_s, u"EnderecoContador"_s, 40},
        {u"Fone"_s, u"FoneContador"_s, 15},
    };
    QGridLayout *formulario = novoFormulario();
    for (const Linha &l : linhas)
        linhaDoFormulario(*formulario, l.rotulo, novoCampo(l.campo, l.largura));

    QVBoxLayout *corpo = montaJanela({btNovo(), btGravar(), btCancelar(), btExcluir(), navegador()}, 6);
    corpo->addLayout(formulario);
    corpo->addStretch();

    resize(620, 300);
}

void TfContador::btGravarClick()
{
    Table &contador = m_dm.tbContador;
    if (!commitPendingEdits(this, &contador) || !contador.editing())
        return;
    if (const auto recusa = verificaContador(contador)) {
        Mensagem(dialogs(), recusa->mensagem);
        FocaCampo(campo(recusa->campo));
        return;
    }
    runForUser([&] { contador.post(); });
}

} // namespace zef
