#include "app/progress.h"

#include <QApplication>
#include <QCursor>
#include <QProgressBar>
#include <QVBoxLayout>

#include <utility>

namespace zef {

Tfrm::Tfrm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_progresso(new QProgressBar(this))
{
    setObjectName(QStringLiteral("frm"));
    setWindowTitle(QStringLiteral("Aguarde Criando Índices..."));
    m_progresso->setObjectName(QStringLiteral("Progresso"));
    m_progresso->setRange(0, 0);
    m_progresso->setValue(0);
    m_progresso->setMinimumWidth(360);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_progresso);
}

ReindexacaoNaTela::ReindexacaoNaTela(std::function<void(const QString &)> mensagem, std::function<void()> encerra)
    : m_mensagem(std::move(mensagem)), m_encerra(std::move(encerra))
{
}

ReindexacaoNaTela::~ReindexacaoNaTela()
{
    closeProgress();
    setBusy(false);
}

void ReindexacaoNaTela::setBusy(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (busy)
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QApplication::restoreOverrideCursor();
}

void ReindexacaoNaTela::showProgress(int total)
{
    m_janela = std::make_unique<Tfrm>();
    // A range of 0 to 0 would make the gauge a busy bar: an empty list still shows an empty gauge.
    m_janela->Progresso()->setRange(0, qMax(total, 1));
    m_janela->Progresso()->setValue(0);
    m_janela->show();
    // Nothing else runs during the rebuild, so the window paints only when asked to.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ReindexacaoNaTela::setProgress(int position)
{
    if (!m_janela)
        return;
    m_janela->Progresso()->setValue(position);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ReindexacaoNaTela::closeProgress()
{
    if (!m_janela)
        return;
    m_janela->close();
    m_janela.reset();
}

void ReindexacaoNaTela::showEndMessage(const QString &text)
{
    if (m_mensagem)
        m_mensagem(text);
}

void ReindexacaoNaTela::endProgram()
{
    if (m_encerra)
        m_encerra();
}

} // namespace zef
