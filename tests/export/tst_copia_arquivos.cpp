#include "declaration_fixture.h"

#include "compress/container.h"
#include "data/data_module.h"
#include "data/scripted_dialogs.h"
#include "export/window/copia_arquivos.h"
#include "export/window/msg_valida_dados.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include <span>

using namespace zef;
using namespace zef::testing;
using namespace Qt::StringLiterals;

namespace {

QByteArray unpack(const QByteArray &container)
{
    const std::vector<std::uint8_t> bytes = readContainer(std::span<const std::uint8_t>(
        reinterpret_cast<const std::uint8_t *>(container.constData()), std::size_t(container.size())));
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
}

// The installation, the data module over it and the export window, with the save dialog
// answered from the test.
struct Screen {
    DeclarationFixture fixture;
    ScriptedDialogs dialogs;
    TfDmDados dados{dialogs, fixture.home()};
    QTemporaryDir out;
    QStringList proposed;
    bool cancelSave = false;
    QStringList errors;
    std::unique_ptr<TfCopiaArquivos> window;

    Screen()
    {
        dados.previousInstallationDir = out.filePath(u"no-previous-installation"_s);
        dados.DataModuleCreate();
        window = std::make_unique<TfCopiaArquivos>(dados, dialogs);
        window->SaveDialog1 = [this](QWidget *, const QString &name) -> std::optional<QString> {
            proposed.append(name);
            if (cancelSave)
                return std::nullopt;
            return out.filePath(name);
        };
        window->onError = [this](const QString &message) { errors.append(message); };
        window->show();
    }

    void list(const QString &year)
    {
        window->EdtAnoBase->setText(year);
        QTest::mouseClick(window->btnConsultaQORM, Qt::LeftButton);
    }

    QStringList entries() const
    {
        QStringList result;
        for (int i = 0; i < window->CheckListBoxContrituintes->count(); ++i)
            result.append(window->CheckListBoxContrituintes->item(i)->text());
        return result;
    }

    int ticked() const
    {
        int n = 0;
        for (int i = 0; i < window->CheckListBoxContrituintes->count(); ++i)
            n += window->CheckListBoxContrituintes->item(i)->checkState() == Qt::Checked ? 1 : 0;
        return n;
    }

    void write() { QTest::mouseClick(window->btnCopiar, Qt::LeftButton); }
};

// Two taxpayers with a declaration of 2025; BETA's accountant is not registered.
void addTwoDeclarations(DeclarationFixture &f, bool betaWithFinding)
{
    f.addEmpresa(u"111111111"_s, u"ALFA COMERCIO"_s);
    f.addEmpresa(u"222222222"_s, u"BETA SERVICOS"_s);
    f.addDeclaracao(u"111111111"_s);
    f.addDeclaracao(u"222222222"_s, betaWithFinding ? QVariantMap{{u"CPFContador"_s, u"99988877766"_s}}
                                                    : QVariantMap{});
}

} // namespace

class TestCopiaArquivos : public QObject
{
    Q_OBJECT

private slots:
    void looksAsDescribed();
    void listsTheYearTicked();
    void listingRefusals_data();
    void listingRefusals();
    void tickAndUntickAll();
    void nothingTickedWritesNothing();
    void findingsShowTheValidationWindow();
    void writesTheTickedDeclarations();
    void yearBoxIsReadAtWriting();
    void cancelledSaveSaysNothing();
    void errorsGoToTheHandler();
    void statusBarAsksForTheYear();
    void enterMovesToTheNextControl();
};

void TestCopiaArquivos::looksAsDescribed()
{
    Screen s;
    QCOMPARE(s.window->windowTitle(), u"Cópia de Arquivos"_s);
    QCOMPARE(s.window->btnConsultaQORM->text(), u"&Atualizar"_s);
    QCOMPARE(s.window->btnMarcaTodas->text(), u"&Marcar Todas"_s);
    QCOMPARE(s.window->btnDesmarcaTodas->text(), u"&Desmarcar Todas"_s);
    QCOMPARE(s.window->btnCopiar->text(), u"&Gravar Arquivo"_s);
    QCOMPARE(s.window->btnRetornar->text(), u"&Retornar"_s);
    QCOMPARE(s.window->EdtAnoBase->maxLength(), 4);
    QVERIFY(s.window->CheckListBoxContrituintes->font().fixedPitch());
    QCOMPARE(s.window->CheckListBoxContrituintes->count(), 0);
    QVERIFY(s.window->StatusBar->currentMessage().isEmpty());
    QStringList labels;
    for (const QLabel *l : s.window->findChildren<QLabel *>())
        labels.append(l->text());
    for (const QString &caption : {u"Ano-base:"_s, u"Selecione os Contribuintes"_s, u"Inscrição Estadual"_s,
                                   u"Razão Social"_s})
        QVERIFY2(labels.contains(caption), qPrintable(caption));

    TfMsgValidaDados validation;
    QCOMPARE(validation.windowTitle(), u"Validação de Dados"_s);
    QCOMPARE(validation.btnRetornar->text(), u"&Retornar"_s);
    QVERIFY(validation.Memo1->isReadOnly());
}

void TestCopiaArquivos::listsTheYearTicked()
{
    Screen s;
    addTwoDeclarations(s.fixture, false);
    s.fixture.addEmpresa(u"333333333"_s, u"AAA DE OUTRO ANO"_s);
    s.fixture.addDeclaracao(u"333333333"_s, {}, u"2024"_s);
    s.list(u"2025"_s);
    QCOMPARE(s.entries(), (QStringList{u"11.111.111-1       ALFA COMERCIO"_s + QString(43, u' '),
                                       u"22.222.222-2       BETA SERVICOS"_s + QString(43, u' ')}));
    QCOMPARE(s.ticked(), 2);
    QVERIFY(s.dialogs.texts().isEmpty());

    // With ZEF_SCREENSHOT_DIR set, the window's picture is written there (docs/screenshots).
    if (const QString pasta = qEnvironmentVariable("ZEF_SCREENSHOT_DIR"); !pasta.isEmpty())
        QVERIFY(s.window->grab().save(QDir(pasta).filePath(u"copia_arquivos.png"_s)));
}

void TestCopiaArquivos::listingRefusals_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("message");
    QTest::newRow("short year") << u"202"_s << u"Informe o Ano Base!"_s;
    QTest::newRow("no declaration") << u"2023"_s << u"Nenhum ZEF cadastrada para o Ano Base informado!!!"_s;
}

void TestCopiaArquivos::listingRefusals()
{
    QFETCH(QString, year);
    QFETCH(QString, message);
    Screen s;
    addTwoDeclarations(s.fixture, false);
    s.list(u"2025"_s);
    s.list(year);
    QCOMPARE(s.dialogs.texts(), QStringList{message});
    QCOMPARE(s.dialogs.boxes().at(0).icon, Dialogs::Icon::Exclamation);
    // A short year leaves the list as it was; a year without declarations empties it.
    QCOMPARE(s.entries().size(), year.size() < 4 ? 2 : 0);
}

void TestCopiaArquivos::tickAndUntickAll()
{
    Screen s;
    addTwoDeclarations(s.fixture, false);
    s.list(u"2025"_s);
    QTest::mouseClick(s.window->btnDesmarcaTodas, Qt::LeftButton);
    QCOMPARE(s.ticked(), 0);
    s.window->CheckListBoxContrituintes->item(1)->setCheckState(Qt::Checked);
    QCOMPARE(s.ticked(), 1);
    QTest::mouseClick(s.window->btnMarcaTodas, Qt::LeftButton);
    QCOMPARE(s.ticked(), 2);
}

void TestCopiaArquivos::nothingTickedWritesNothing()
{
    Screen s;
    addTwoDeclarations(s.fixture, false);
    s.list(u"2025"_s);
    QTest::mouseClick(s.window->btnDesmarcaTodas, Qt::LeftButton);
    s.write();
    QCOMPARE(s.dialogs.texts(),
             QStringList{u"Nenhum ZEF  foi selecionado, informe o ano-base desejado e clique em Consultar ZEF."_s});
    QVERIFY(s.proposed.isEmpty());
    QVERIFY(QDir(s.out.path()).isEmpty());
}

void TestCopiaArquivos::findingsShowTheValidationWindow()
{
    Screen s;
    addTwoDeclarations(s.fixture, true);
    s.list(u"2025"_s);
    QString shown;
    bool closed = false;
    // The validation window is modal: read it and close it from inside its own loop.
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, [&] {
        auto *validation = qobject_cast<TfMsgValidaDados *>(QApplication::activeModalWidget());
        if (!validation || closed)
            return;
        shown = validation->Memo1->toPlainText();
        if (const QString pasta = qEnvironmentVariable("ZEF_SCREENSHOT_DIR"); !pasta.isEmpty())
            validation->grab().save(QDir(pasta).filePath(u"msg_valida_dados.png"_s));
        closed = true;
        QTest::mouseClick(validation->btnRetornar, Qt::LeftButton);
    });
    poll.start();
    s.write();
    poll.stop();
    QVERIFY(closed);
    QCOMPARE(shown, u"Inscrição Estadual: 22.222.222-2\n\n"
                    "Campo CPF do contabilista não localizado no cadastro de contabilista.\n"_s);
    QVERIFY(s.proposed.isEmpty());
    QVERIFY(QDir(s.out.path()).isEmpty());
    QVERIFY(s.dialogs.texts().isEmpty());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void TestCopiaArquivos::writesTheTickedDeclarations()
{
    Screen s;
    addTwoDeclarations(s.fixture, true);
    s.list(u"2025"_s);
    // BETA, the one with a finding, is left out.
    s.window->CheckListBoxContrituintes->item(1)->setCheckState(Qt::Unchecked);
    s.write();
    QCOMPARE(s.proposed, QStringList{u"ZEF2025.vd"_s});
    QCOMPARE(s.dialogs.texts(), QStringList{u"Arquivo gravado com sucesso!!!"_s});
    QFile file(s.out.filePath(u"ZEF2025.vd"_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = unpack(unpack(file.readAll()));
    QVERIFY(text.startsWith("A2025     111111111"));
    QVERIFY(text.endsWith("\r\nZ2025     111111111002\r\n"));
    QVERIFY(!text.contains("222222222"));
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void TestCopiaArquivos::yearBoxIsReadAtWriting()
{
    Screen s;
    addTwoDeclarations(s.fixture, false);
    s.fixture.addDeclaracao(u"111111111"_s, {}, u"2024"_s);
    s.list(u"2025"_s);
    s.window->CheckListBoxContrituintes->item(1)->setCheckState(Qt::Unchecked);
    s.window->EdtAnoBase->setText(u"2024"_s);
    s.write();
    QCOMPARE(s.proposed, QStringList{u"ZEF2024.vd"_s});
    QFile file(s.out.filePath(u"ZEF2024.vd"_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = unpack(unpack(file.readAll()));
    QVERIFY(text.startsWith("A2024     111111111"));
    QVERIFY(text.endsWith("\r\nZ2024     111111111002\r\n"));
}

void TestCopiaArquivos::cancelledSaveSaysNothing()
{
    Screen s;
    addTwoDeclarations(s.fixture, false);
    s.cancelSave = true;
    s.list(u"2025"_s);
    s.write();
    QCOMPARE(s.proposed.size(), 1);
    QVERIFY(s.dialogs.texts().isEmpty());
    QVERIFY(QDir(s.out.path()).isEmpty());
}

void TestCopiaArquivos::errorsGoToTheHandler()
{
    Screen s;
    addTwoDeclarations(s.fixture, false);
    s.fixture.addLinha(u"Compras"_s, {{u"TipoEntradas"_s, u"X1 - COMPRAS"_s}}, u"222222222"_s);
    s.list(u"2025"_s);
    s.write();
    QCOMPARE(s.errors.size(), 1);
    QVERIFY2(s.errors.at(0).contains(u"22.222.222-2"_s), qPrintable(s.errors.at(0)));
    QVERIFY(s.proposed.isEmpty());
    QVERIFY(QDir(s.out.path()).isEmpty());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void TestCopiaArquivos::statusBarAsksForTheYear()
{
    Screen s;
    QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(s.window->EdtAnoBase, &focusIn);
    QCOMPARE(s.window->StatusBar->currentMessage(), u"Informe o ano base"_s);
}

void TestCopiaArquivos::enterMovesToTheNextControl()
{
    Screen s;
    s.window->activateWindow();
    if (!QTest::qWaitForWindowActive(s.window.get()))
        QSKIP("the window cannot be activated on this platform");
    s.window->EdtAnoBase->setFocus();
    QVERIFY(s.window->EdtAnoBase->hasFocus());
    QTest::keyClick(s.window->EdtAnoBase, Qt::Key_Return);
    QVERIFY(s.window->btnConsultaQORM->hasFocus());
    // Enter on a button moves on as well, without pressing it.
    QTest::keyClick(s.window->btnConsultaQORM, Qt::Key_Return);
    QVERIFY(s.window->btnMarcaTodas->hasFocus());
    QVERIFY(s.dialogs.texts().isEmpty());
    QTest::keyClick(s.window->btnMarcaTodas, Qt::Key_Escape);
    QVERIFY(s.window->isVisible());
}

QTEST_MAIN(TestCopiaArquivos)
#include "tst_copia_arquivos.moc"
