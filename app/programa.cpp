#include "app/programa.h"

#include "app/main_window.h"
#include "app/progress.h"
#include "app/zef_application.h"
#include "data/data_module.h"
#include "data/database_setup.h"
#include "data/dialogs.h"
#include "data/index_rebuild.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>

#include <utility>

namespace zef {

namespace {

ZefApplication *zefApp()
{
    return qobject_cast<ZefApplication *>(QCoreApplication::instance());
}

} // namespace

Programa::Programa(Dialogs &dialogs, QString programDir, QString pagesDir)
    : m_dialogs(dialogs),
      m_programDir(std::move(programDir)),
      m_pagesDir(pagesDir.isEmpty() ? m_programDir : std::move(pagesDir)),
      m_trataExcecao(dialogs, m_programDir)
{
    avisoReindexacao = [this](const QString &texto) {
        m_dialogs.show(texto, Dialogs::Icon::Information, Dialogs::Buttons::Ok);
    };
    m_trataExcecao.reindexa = [this] { reindexa(false); };
}

Programa::~Programa()
{
    if (ZefApplication *app = zefApp(); app && m_dm)
        app->setErrorHandler({});
    if (antesDeLiberarModulo)
        antesDeLiberarModulo();
}

TfDmDados &Programa::criaModuloDados()
{
    if (m_dm)
        return *m_dm;
    m_dm = std::make_unique<TfDmDados>(m_dialogs, m_programDir);

    // While another program holds the database the statement waits (up to half a minute) before it
    // reports; the hourglass tells the user meanwhile, since the window cannot repaint.
    m_dm->dtbBaseDados.onLockWait = [](bool esperando) {
        if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            return;
        if (esperando)
            QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        else
            QApplication::restoreOverrideCursor();
        QGuiApplication::sync();
    };

    // The first step of the creation: from here on every error that no window handles comes here.
    if (ZefApplication *app = zefApp())
        app->setErrorHandler([this](std::exception_ptr erro) { m_trataExcecao.trata(std::move(erro)); });

    m_dm->importarInstalacaoAnterior = [this](const QString &pasta) {
        if (importarInstalacaoAnterior)
            importarInstalacaoAnterior(pasta);
    };

    try {
        m_dm->DataModuleCreate();
    } catch (...) {
        m_trataExcecao.trata(std::current_exception());
    }
    return *m_dm;
}

TfPrincipal &Programa::criaJanelaPrincipal()
{
    if (!m_principal)
        m_principal = std::make_unique<TfPrincipal>(*this);
    return *m_principal;
}

void Programa::reindexa(bool reabreBanco)
{
    if (!m_dm)
        return;
    Database &banco = m_dm->dtbBaseDados;
    banco.disconnect();

    ReindexacaoNaTela tela(avisoReindexacao, [this] { encerra(); });
    TReIndex reindexacao(tela);
    reindexacao.DataBaseName = &banco;
    reindexacao.ShowProgresso = true;
    reindexacao.ArquivoINI = QDir(m_programDir).filePath(QString::fromLatin1(kIndexListFile));
    reindexacao.Reindexa();

    if (reabreBanco)
        banco.connect();
}

void Programa::encerra()
{
    m_encerrado = true;
    if (aoEncerrar)
        aoEncerrar();
}

} // namespace zef
