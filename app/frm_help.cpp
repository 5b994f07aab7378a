#include "app/frm_help.h"

#include <QAction>
#include <QCheckBox>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace zef {

TFrmHelp::TFrmHelp(QWidget *parent)
    : QDialog(parent),
      m_navegador(new QTextBrowser(this)),
      m_naoExibir(new QCheckBox(QStringLiteral("Não exibir esta janela novamente"), this))
{
    setObjectName(QStringLiteral("FrmHelp"));
    setWindowTitle(QStringLiteral("Ajuda Qorm Eletrônica"));

    auto *barra = new QToolBar(this);
    barra->setObjectName(QStringLiteral("ToolBar1"));
    barra->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction *fechar = barra->addAction(QStringLiteral("&Fechar"));
    fechar->setObjectName(QStringLiteral("btnFechar"));
    connect(fechar, &QAction::triggered, this, &QDialog::close);
    barra->addSeparator();
    m_naoExibir->setObjectName(QStringLiteral("chkNaoExibir"));
    m_acaoNaoExibir = barra->addWidget(m_naoExibir);

    m_navegador->setObjectName(QStringLiteral("WebBrowser1"));
    m_navegador->setOpenExternalLinks(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(barra);
    layout->addWidget(m_navegador);
    resize(900, 640);
}

void TFrmHelp::mostraNaoExibir(bool visivel)
{
    // A widget on a tool bar is shown and hidden through its action.
    m_acaoNaoExibir->setVisible(visivel);
}

void TFrmHelp::navega(const QString &arquivo)
{
    m_navegador->setSource(QUrl::fromLocalFile(arquivo));
}

} // namespace zef
