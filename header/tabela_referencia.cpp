#include "header/tabela_referencia.h"

#include "app/widgets/button_states.h"
#include "app/widgets/db_edit.h"
#include "app/widgets/db_grid.h"
#include "app/widgets/db_navigator.h"
#include "app/widgets/escape_cancels.h"
#include "app/widgets/widget_errors.h"
#include "app/window_ui.h"
#include "data/data_module.h"
#include "engine/table.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zef {

using namespace Qt::StringLiterals;

TfTabelaReferencia::TfTabelaReferencia(TfDmDados &dm, Dialogs &dialogs, Table &tabela, EditingWindow *&referencia,
                                       const QString &nome, const QString &titulo, const QList<Campo> &campos,
                                       std::function<QString()> localiza, QWidget *parent)
    : EditingDialog(tabela, dialogs, Novo | Gravar | Cancelar | Retornar | Navegador, nome, titulo, parent),
      m_dm(dm),
      m_localiza(std::move(localiza)),
      m_grid(new DBGrid(this)),
      m_btLocalizar(botao(u"&Localizar"_s, u"btLocalizar"_s)),
      m_ligacao(referencia, static_cast<EditingWindow *>(this))
{
    QGridLayout *formulario = novoFormulario();
    const QFontMetrics medida(font());
    for (const Campo &c : campos) {
        DBEdit *edit = novoCampo(c.nome, c.largura);
        edit->setMinimumWidth(medida.horizontalAdvance(QString(c.largura, u'W')) / 2 + 16);
        linhaDoFormulario(*formulario, c.rotulo, edit);
    }

    m_grid->setObjectName(u"DBGrid1"_s);
    m_grid->setDataset(&tabela);
    m_grid->setReadOnly(true);
    for (const Campo &c : campos)
        m_grid->addColumn(c.nome, c.rotulo, -1, true);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setFocusPolicy(Qt::StrongFocus);

    QVBoxLayout *corpo = montaJanela({btNovo(), btGravar(), btCancelar(), m_btLocalizar, navegador()}, 8);
    corpo->addLayout(formulario);
    corpo->addWidget(m_grid, 1);

    connect(m_btLocalizar, &QPushButton::clicked, this, &TfTabelaReferencia::btLocalizarClick);
    estados().addBrowsingControl(m_btLocalizar);
    EscapeCancels::install(this, btCancelar());

    resize(620, 480);
}

void TfTabelaReferencia::btLocalizarClick()
{
    if (QApplication::focusWidget() == btCancelar() || !m_localiza)
        return;
    const QString escolhido = m_localiza();
    runForUser([&] { tabela().findKey({escolhido}); });
}

} // namespace zef
