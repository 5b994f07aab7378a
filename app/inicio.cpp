#include "app/inicio.h"

#include "app/abre_janela.h"
#include "app/idioma.h"
#include "app/inicia.h"
#include "app/main_window.h"
#include "app/programa.h"
#include "app/qt_dialogs.h"
#include "app/zef_application.h"
#include "data/data_module.h"
#include "data/database_setup.h"
#include "data/dialogs.h"
#include "data/program_folders.h"

#include <QEventLoop>
#include <QLocale>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>

#include <memory>

namespace zef {

using namespace Qt::StringLiterals;

namespace {

constexpr int kEsperaAbertura = 2000;   // ms the splash window stays up before anything else happens

void espera(int ms)
{
    QEventLoop laco;
    QTimer::singleShot(ms, &laco, &QEventLoop::quit);
    laco.exec(QEventLoop::ExcludeUserInputEvents);
}

// The registry key of the installation, opened (and created when missing) for as long as the
// program runs; nothing is stored in it. Windows only: other systems have no registry.
std::unique_ptr<QSettings> abreChaveRegistro()
{
#ifdef Q_OS_WIN
    auto chave = std::make_unique<QSettings>(u"HKEY_LOCAL_MACHINE\\Software\\TAVRO\\"_s
                                                 + QCoreApplication::applicationName() + u"\\"_s,
                                             QSettings::NativeFormat);
    // The key is only opened when first read.
    chave->childKeys();
    return chave;
#else
    return nullptr;
#endif
}

// The index rebuild's closing box: the application's title, no icon, one button OK.
void avisoTitulado(const QString &texto)
{
    QMessageBox caixa(QMessageBox::NoIcon, QCoreApplication::applicationName(), texto, QMessageBox::Ok,
                      QApplication::activeWindow());
    MostraModal(caixa);
}

} // namespace

int executaPrograma(int &argc, char **argv, const std::function<void(Programa &)> &ligaJanelas)
{
    ZefApplication app(argc, argv);
    adotaPortuguesDoBrasil(app);
    // Ties the windows to the menu entry, whose icon the desktop shows for them.
    QGuiApplication::setDesktopFileName(u"br.gov.vd.tavro.zef2026"_s);

    // Unit initialisation. Dates are read and written as "dd/mm/yyyy" throughout (the table
    // engine's fields convert with that format whatever the workstation's locale); the key takes the
    // title the application has before the data module names it.
    const std::unique_ptr<QSettings> chave = abreChaveRegistro();

    auto inicia = std::make_unique<TfInicia>();
    inicia->mostra();
    espera(kEsperaAbertura);

    QtDialogs dialogs;
    const ProgramFolders pastas = programFolders(QCoreApplication::applicationDirPath());
    if (pastas.userDataFolder) {
        // First start of an installed program: the user's folder gets what `zef init` makes.
        try {
            prepareHome(pastas.home);
        } catch (const SetupError &erro) {
            inicia->hide();
            dialogs.show(erro.message(), Dialogs::Icon::Error, Dialogs::Buttons::Ok,
                         QString::fromLatin1(TfDmDados::kTitle));
            return 1;
        }
    }
    Programa programa(dialogs, pastas.home, pastas.pages);
    programa.aoEncerrar = [&app] { app.encerra(); };
    programa.avisoReindexacao = avisoTitulado;
    if (ligaJanelas)
        ligaJanelas(programa);

    programa.criaModuloDados();
    if (!programa.encerrado())
        programa.criaJanelaPrincipal().showMaximized();

    inicia->hide();
    inicia.reset();

    // A rebuild during start-up has already ended the program.
    if (programa.encerrado() || app.encerrando())
        return 0;
    return app.exec();
}

} // namespace zef
