#include "import_fixture.h"

#include "data/data_module.h"
#include "import/header_checks.h"
#include "import/window/importa_dados_txt.h"

#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QToolButton>

#include <memory>

using namespace zef;
using namespace importtest;
using namespace Qt::StringLiterals;

// The window over a data module of its own, as the program has it; the fixture's connection
// reads what the import stored.
class TestImportaDadosTxt : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Fixture> m_fx;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TfDmDados> m_dm;
    std::unique_ptr<TfImportaDadosTxt> m_window;

    void chooses(const QString &path)
    {
        m_window->escolheArquivo = [path] { return path; };
    }

private slots:
    void init()
    {
        m_fx = std::make_unique<Fixture>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_dm = std::make_unique<TfDmDados>(*m_dialogs, m_fx->home());
        m_dm->DataModuleCreate();
        m_window = std::make_unique<TfImportaDadosTxt>(*m_dm, *m_dialogs);
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
        QCOMPARE(m_window->windowTitle(), u"Importa Dados .txt"_s);
        QCOMPARE(m_window->BtnImportar->text(), u"&Importar ZEF"_s);
        QCOMPARE(m_window->BtnImportar->toolTip(), u"Cliqui aqui para localizar contribuinte pelo nome"_s);
        QCOMPARE(m_window->bRetornar->text(), u"&Retornar"_s);
        QCOMPARE(m_window->bRetornar->toolTip(), u"Cliqui aqui para retornar a tela inicial"_s);
        QVERIFY(m_window->Response->isReadOnly());
        QCOMPARE(m_window->Response->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(QString::fromLatin1(TfImportaDadosTxt::kFiltro), u"Arquivos Texto (*.txt);;Todos os Arquivos (*.*)"_s);
        QCOMPARE(m_window->findChild<QStatusBar *>(u"Rodape"_s), m_window->Rodape);
    }

    void importsThroughTheWindow()
    {
        m_dm->tbZEF.open();
        QCOMPARE(m_dm->tbZEF.recordCount(), 0);
        QStringList filler;
        for (int i = 0; i < 450; ++i)
            filler.append(u"X"_s);
        chooses(m_fx->writeFile(declaracao(kIE1) + filler + declaracao(kIE2)
                                + declaracaoCom({lineC(kIE3).set(18, u"1234567"_s)}, lineA(kIE3))));

        // The status bar counts the lines under the hourglass.
        QStringList progress;
        bool hourglass = true;
        connect(m_window->Rodape, &QStatusBar::messageChanged, this, [&](const QString &message) {
            if (message.startsWith(u"Linha"_s)) {
                progress.append(message);
                hourglass = hourglass && QApplication::overrideCursor()
                    && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            }
        });
        m_window->show();
        QTest::mouseClick(m_window->BtnImportar, Qt::LeftButton);

        QCOMPARE(m_window->Response->toPlainText(),
                 u"ZEF Referência 2025 Contribuinte EMPRESA UM LTDA Importada com sucesso. \n"
                 u"ZEF Referência 2025 Contribuinte EMPRESA DOIS LTDA Importada com sucesso. \n"
                 u"Inscrição Estadual: 290000033\nRazão Social: EMPRESA TRÊS LTDA\nAno-base: 2025\n"
                 u"1234567 Não é  um código de município válido. \n"
                 u"Declarações lidas: 3; importadas: 2; recusadas: 1; não gravadas: 0."_s);
        QCOMPARE(progress, (QStringList{u"Linha 200 de 477"_s, u"Linha 400 de 477"_s, u"Linha 477 de 477"_s}));
        QVERIFY(hourglass);
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(m_window->Rodape->currentMessage(), u"Importação concluída."_s);
        QVERIFY(m_window->BtnImportar->isEnabled());
        QVERIFY(m_dialogs->boxes().empty());
        QCOMPARE(m_fx->scalar(u"select count(*) from zef where Importado = 1"_s).toInt(), 2);
        // The data module shows the new declarations.
        QCOMPARE(m_dm->tbZEF.recordCount(), 2);

        // With ZEF_SCREENSHOT_DIR set, the window's picture is written there (docs/screenshots).
        if (const QString pasta = qEnvironmentVariable("ZEF_SCREENSHOT_DIR"); !pasta.isEmpty())
            QVERIFY(m_window->grab().save(QDir(pasta).filePath(u"importa_dados_txt.png"_s)));
    }

    void aNewImportEmptiesTheLog()
    {
        chooses(m_fx->writeFile(declaracao(kIE1)));
        m_window->BtnImportarClick();
        chooses(m_fx->writeFile(declaracao(kIE2)));
        m_window->BtnImportarClick();
        QCOMPARE(m_window->Response->toPlainText(),
                 u"ZEF Referência 2025 Contribuinte EMPRESA DOIS LTDA Importada com sucesso. \n"
                 u"Declarações lidas: 1; importadas: 1; recusadas: 0; não gravadas: 0."_s);
    }

    void cancellingDoesNothing()
    {
        m_window->Response->setPlainText(u"anterior"_s);
        chooses(QString());
        m_window->BtnImportarClick();
        QCOMPARE(m_window->Response->toPlainText(), u"anterior"_s);
        QVERIFY(m_dialogs->boxes().empty());
    }

    // An import that ends on a line it cannot read shows why in an error box too.
    void unreadableLine()
    {
        chooses(m_fx->writeFile(declaracao(kIE1) + declaracaoCom({lineC(kIE2).set(25, u"ABC"_s)}, lineA(kIE2))));
        m_window->BtnImportarClick();
        const QString message = u"Linha 14, campo VlrContabil (posições 25 a 38): \"ABC00000000100\" não é um valor "
                                u"válido. Importação interrompida."_s;
        QVERIFY(m_window->Response->toPlainText().endsWith(
            message + u"\nDeclarações lidas: 2; importadas: 1; recusadas: 1; não gravadas: 0."_s));
        QCOMPARE(m_dialogs->boxes().size(), std::size_t(1));
        QCOMPARE(m_dialogs->boxes().front().text, message);
        QCOMPARE(m_dialogs->boxes().front().icon, Dialogs::Icon::Error);
        QCOMPARE(m_window->Rodape->currentMessage(), u"Importação interrompida."_s);
        QCOMPARE(m_fx->totalRows(u"zef"_s), 1);
    }

    void errorsGoToTheErrorHandler()
    {
        QStringList handled;
        m_window->trataErro = [&handled](const QString &mensagem) { handled.append(mensagem); };
        chooses(m_fx->writeFile(declaracaoCom({lineC(), lineC()})));
        m_window->BtnImportarClick();
        QCOMPARE(handled, QStringList{u"Linha 3: Key violation. Importação interrompida."_s});
        QVERIFY(m_dialogs->boxes().empty());
    }

    void futureYearShowsItsMessage()
    {
        chooses(m_fx->writeFile(declaracao(kIE1, u"2099"_s)));
        m_window->BtnImportarClick();
        QCOMPARE(m_dialogs->texts(), QStringList{textoAnoFuturo()});
        QCOMPARE(m_dialogs->boxes().front().icon, Dialogs::Icon::Exclamation);
        QCOMPARE(m_window->Response->toPlainText(),
                 u"Inscrição Estadual: 290000017\nRazão Social: EMPRESA UM LTDA\nAno-base: 2099\n"_s
                 + textoAnoPosterior(u"2099"_s, QDate::currentDate().year()) + u"\n"_s
                 + u"Declarações lidas: 1; importadas: 0; recusadas: 1; não gravadas: 0."_s);
    }

    void fileThatCannotBeOpened()
    {
        chooses(m_fx->home() + u"/nao-existe.txt"_s);
        m_window->BtnImportarClick();
        QCOMPARE(m_dialogs->boxes().size(), std::size_t(1));
        QVERIFY(m_dialogs->boxes().front().text.startsWith(u"Não foi possível abrir o arquivo "_s));
    }

    void retornarCloses()
    {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QTest::mouseClick(m_window->bRetornar, Qt::LeftButton);
        QVERIFY(!m_window->isVisible());
    }
};

QTEST_MAIN(TestImportaDadosTxt)
#include "tst_importa_dados_txt.moc"
