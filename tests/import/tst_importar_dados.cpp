#include "previous_fixture.h"

#include "data/data_module.h"
#include "engine/engine_error.h"
#include "import/window/importar_dados.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolButton>

#include <memory>

using namespace zef;
using namespace importtest;
using namespace Qt::StringLiterals;

namespace {

const QString kIE4 = u"290000041"_s;
const QString kCPF2 = u"11144477735"_s;

} // namespace

// The window over a data module of its own, as the program has it, driven with the keyboard and
// the mouse; the fixture's connection reads what the import stored.
class TestImportarDados : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Fixture> m_fx;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TfDmDados> m_dm;
    std::unique_ptr<TFrmImportarDados> m_window;
    QStringList m_handled;
    // Whether the hourglass was gone whenever a box came up.
    bool m_cursorRestored = true;

    void showWindow()
    {
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    // Keys the folder into the path box, as the user does, and presses Alt+I.
    void importWithKeys(const QString &folder)
    {
        m_window->EdtPath->setFocus();
        QTest::keyClick(m_window->EdtPath, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(m_window->EdtPath, Qt::Key_Delete);
        QTest::keyClicks(m_window->EdtPath, folder);
        mnemonic(Qt::Key_I);
    }

    // A button's mnemonic shows the button pressed for a moment and clicks it after.
    static void mnemonic(Qt::Key key)
    {
        QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
        QTest::qWait(250);
    }

    void newDataModule()
    {
        m_dm = std::make_unique<TfDmDados>(*m_dialogs, m_fx->home());
    }

private slots:
    void init()
    {
        m_fx = std::make_unique<Fixture>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_cursorRestored = true;
        m_dialogs->setObserver([this](const ScriptedDialogs::Shown &) {
            m_cursorRestored = m_cursorRestored && !QApplication::overrideCursor();
        });
        newDataModule();
        m_dm->DataModuleCreate();
        m_window = std::make_unique<TFrmImportarDados>(*m_dm, *m_dialogs);
        m_handled.clear();
        m_window->trataErro = [this](const QString &mensagem) { m_handled.append(mensagem); };
    }

    void cleanup()
    {
        m_window.reset();
        m_dm.reset();
        m_dialogs.reset();
        m_fx.reset();
    }

    void controls()
    {
        QCOMPARE(m_window->windowTitle(), u"Importação de Dados"_s);
        QCOMPARE(m_window->Label1->text(), u"Caminho do banco de dados:"_s);
        QCOMPARE(m_window->EdtPath->text(), u"c:\\ZEF2025\\db"_s);
        QCOMPARE(m_window->btnVoltar->text(), u"&Voltar"_s);
        QCOMPARE(m_window->SpeedButton2->text(), u"&Importar"_s);
        QCOMPARE(m_window->findChild<QStatusBar *>(u"StatusBar1"_s), m_window->StatusBar1);
    }

    void importsTheRegisters_data()
    {
        QTest::addColumn<Origem>("origem");
        QTest::newRow("paradox") << Origem::Paradox;
        QTest::newRow("own database") << Origem::BancoProprio;
    }
    void importsTheRegisters()
    {
        QFETCH(Origem, origem);
        Anterior anterior(origem);
        anterior.write(QList<QVariantList>{empresa(kIE1, u"OUTRO NOME"_s), empresa(kIE4, u"CONFECÇÕES ÍRIS LTDA"_s)},
                       QList<QVariantList>{contador(kCPF2, u"JOÃO"_s)});
        showWindow();
        importWithKeys(anterior.folder());

        QCOMPARE(m_dialogs->texts(), QStringList{u"Dados importados com sucesso!!!"_s});
        QCOMPARE(m_dialogs->boxes().front().icon, Dialogs::Icon::Information);
        QVERIFY(m_cursorRestored);
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(m_fx->scalar(u"select RazaoSocial from Empresa where InscricaoEmpresa = :p0"_s, {kIE4}).toString(),
                 u"CONFECÇÕES ÍRIS LTDA"_s);
        QCOMPARE(m_fx->scalar(u"select RazaoSocial from Empresa where InscricaoEmpresa = :p0"_s, {kIE1}).toString(),
                 u"EMPRESA UM LTDA"_s);
        QCOMPARE(m_fx->totalRows(u"Contador"_s), 2);
        QCOMPARE(m_window->StatusBar1->currentMessage(), u"Contribuintes incluídos: 1. Contabilistas incluídos: 1."_s);
        QVERIFY(m_handled.isEmpty());

        // Once more: nothing new, and success again.
        m_dialogs->clear();
        QTest::mouseClick(m_window->SpeedButton2, Qt::LeftButton);
        QCOMPARE(m_dialogs->texts(), QStringList{u"Dados importados com sucesso!!!"_s});
        QCOMPARE(m_fx->totalRows(u"Empresa"_s), 4);
        QCOMPARE(m_window->StatusBar1->currentMessage(), u"Contribuintes incluídos: 0. Contabilistas incluídos: 0."_s);
    }

    void pathOfOnlySpaces()
    {
        showWindow();
        importWithKeys(u"   "_s);
        QCOMPARE(m_dialogs->texts(), QStringList{u"Caminho do banco de dados deve ser informado!!!"_s});
        QCOMPARE(m_dialogs->boxes().front().icon, Dialogs::Icon::Exclamation);
        QCOMPARE(QApplication::focusWidget(), m_window->EdtPath);
        QVERIFY(m_handled.isEmpty());
        QCOMPARE(m_fx->totalRows(u"Empresa"_s), 3);
    }

    // An error says so in its own box, with the hourglass gone, and then reaches the handler; the
    // taxpayers stored before it stay.
    void errorReachesTheHandler()
    {
        Anterior anterior(Origem::Paradox);
        anterior.write(QList<QVariantList>{empresa(kIE4)}, std::nullopt);
        showWindow();
        importWithKeys(anterior.folder());
        QCOMPARE(m_dialogs->texts(), QStringList{u"Erro ao tentar importar dados "_s});
        QCOMPARE(m_dialogs->boxes().front().icon, Dialogs::Icon::Error);
        QVERIFY(m_cursorRestored);
        QCOMPARE(m_handled, QStringList{u"Tabela não encontrada: "_s
                                        + QDir::toNativeSeparators(anterior.filePath(u"Contador.DB"_s))});
        QCOMPARE(m_fx->totalRows(u"Empresa"_s), 4);
        QCOMPARE(m_window->StatusBar1->currentMessage(), u"Contribuintes incluídos: 1. Contabilistas incluídos: 0."_s);
    }

    void errorWithoutAHandlerIsShown()
    {
        m_window->trataErro = {};
        m_window->EdtPath->setText(m_fx->home() + u"/nada"_s);
        m_window->SpeedButton2Click();
        QCOMPARE(m_dialogs->texts(), (QStringList{u"Erro ao tentar importar dados "_s,
                                                  u"Diretório não encontrado: "_s
                                                      + QDir::toNativeSeparators(m_fx->home() + u"/nada"_s)}));
    }

    void folderButtonFillsThePath()
    {
        Anterior anterior(Origem::Paradox);
        m_window->escolhePasta = [&anterior] { return anterior.folder(); };
        showWindow();
        QTest::mouseClick(m_window->btnPasta, Qt::LeftButton);
        QCOMPARE(m_window->EdtPath->text(), QDir::toNativeSeparators(anterior.folder()));
        // Cancelling the chooser keeps the path.
        m_window->escolhePasta = [] { return QString(); };
        QTest::mouseClick(m_window->btnPasta, Qt::LeftButton);
        QCOMPARE(m_window->EdtPath->text(), QDir::toNativeSeparators(anterior.folder()));
    }

    void voltarCloses()
    {
        showWindow();
        mnemonic(Qt::Key_V);
        QVERIFY(!m_window->isVisible());
        QVERIFY(m_dialogs->boxes().empty());
    }

    // At start-up, with the taxpayer register empty, the data module imports from the older
    // installation without a word.
    void startUpRunWithAnEmptyRegister()
    {
        Anterior anterior(Origem::Paradox);
        anterior.write(QList<QVariantList>{empresa(kIE4), empresa(kIE1)}, QList<QVariantList>{contador(kCPF2)});
        m_fx->exec(u"delete from Empresa"_s);
        m_window.reset();
        newDataModule();
        m_dm->previousInstallationDir = anterior.folder();
        m_dm->importarInstalacaoAnterior = [this](const QString &folder) {
            importaInstalacaoAnterior(*m_dm, *m_dialogs, folder);
        };
        m_dm->DataModuleCreate();
        QVERIFY(m_dialogs->boxes().empty());
        QCOMPARE(m_fx->totalRows(u"Empresa"_s), 2);
        QCOMPARE(m_fx->totalRows(u"Contador"_s), 2);

        // With taxpayers registered, the next start-up leaves the register alone.
        m_fx->exec(u"delete from Empresa where InscricaoEmpresa = :p0"_s, {kIE4});
        newDataModule();
        m_dm->previousInstallationDir = anterior.folder();
        m_dm->importarInstalacaoAnterior = [this](const QString &folder) {
            importaInstalacaoAnterior(*m_dm, *m_dialogs, folder);
        };
        m_dm->DataModuleCreate();
        QCOMPARE(m_fx->totalRows(u"Empresa"_s), 1);
    }

    // A start-up run that fails says so and ends the data module's creation with the reason.
    void startUpRunThatFails()
    {
        Anterior anterior(Origem::Paradox);
        anterior.write(QList<QVariantList>{empresa(kIE4)}, std::nullopt);
        m_fx->exec(u"delete from Empresa"_s);
        m_window.reset();
        newDataModule();
        m_dm->previousInstallationDir = anterior.folder();
        m_dm->importarInstalacaoAnterior = [this](const QString &folder) {
            importaInstalacaoAnterior(*m_dm, *m_dialogs, folder);
        };
        QString erro;
        try {
            m_dm->DataModuleCreate();
        } catch (const EngineError &e) {
            erro = e.message();
        }
        QCOMPARE(erro, u"Tabela não encontrada: "_s + QDir::toNativeSeparators(anterior.filePath(u"Contador.DB"_s)));
        QCOMPARE(m_dialogs->texts(), QStringList{u"Erro ao tentar importar dados "_s});
        QVERIFY(m_cursorRestored);
        QCOMPARE(m_fx->totalRows(u"Empresa"_s), 1);
    }
};

QTEST_MAIN(TestImportarDados)

#include "tst_importar_dados.moc"
