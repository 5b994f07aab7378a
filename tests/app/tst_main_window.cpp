#include "app/abre_janela.h"
#include "app/ajuda.h"
#include "app/frm_help.h"
#include "app/main_window.h"
#include "app/programa.h"
#include "app/sobre.h"
#include "app/titulos.h"
#include "data/scripted_dialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>

#include <memory>

using namespace zef;
using namespace Qt::StringLiterals;

namespace {

// The folder the program runs from, where the build copies the help pages.
QString binDir()
{
    return QStringLiteral(ZEF_BIN_DIR);
}

// The texts of a menu's items, "-" for a separator.
QStringList itemTexts(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *a : menu->actions())
        texts.append(a->isSeparator() ? u"-"_s : a->text());
    return texts;
}

} // namespace

class TstMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void captions();
    void menus_data();
    void menus();
    void shortcuts_data();
    void shortcuts();
    void entriesRunWhatIsPluggedIn_data();
    void entriesRunWhatIsPluggedIn();
    void entriesWithoutWindowsAreInert();
    void keyboardShortcutsWork_data();
    void keyboardShortcutsWork();
    void sairClosesTheWindow_data();
    void sairClosesTheWindow();
    void helpEntriesShowTheirPages_data();
    void helpEntriesShowTheirPages();
    void aboutBox();
    void screenshot();

private:
    QAction *action(const char *name) const;
    QPushButton *button(const char *name) const;

    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<Programa> m_programa;
    TfPrincipal *m_janela = nullptr;
    QStringList m_chamadas;
};

void TstMainWindow::init()
{
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_programa = std::make_unique<Programa>(*m_dialogs, binDir());
    m_chamadas.clear();
    EntradasPrincipal &e = m_programa->entradas;
    auto anota = [this](const QString &nome) { return [this, nome] { m_chamadas.append(nome); }; };
    e.cadastrarZef = anota(u"cadastrarZef"_s);
    e.gravarArquivo = anota(u"gravarArquivo"_s);
    e.imprimirZef = anota(u"imprimirZef"_s);
    e.contribuintes = anota(u"contribuintes"_s);
    e.contabilista = anota(u"contabilista"_s);
    e.importarDadosContribuintes = anota(u"importarDadosContribuintes"_s);
    e.municipios = anota(u"municipios"_s);
    e.atividades = anota(u"atividades"_s);
    e.importarDadosTxt = anota(u"importarDadosTxt"_s);
    m_janela = &m_programa->criaJanelaPrincipal();
}

void TstMainWindow::cleanup()
{
    defineGanchoJanelaModal({});
    m_janela = nullptr;
    m_programa.reset();
    m_dialogs.reset();
}

QAction *TstMainWindow::action(const char *name) const
{
    auto *a = m_janela->findChild<QAction *>(QString::fromLatin1(name));
    if (!a)
        qWarning("no action %s", name);
    return a;
}

QPushButton *TstMainWindow::button(const char *name) const
{
    return m_janela->findChild<QPushButton *>(QString::fromLatin1(name));
}

void TstMainWindow::captions()
{
    QCOMPARE(m_janela->windowTitle(), u"ZEF 2026 - "_s + tituloLongo());
    QVERIFY(tituloLongo().size() > 10);
    QCOMPARE(m_janela->objectName(), u"fPrincipal"_s);
    QVERIFY(m_janela->windowState() & Qt::WindowMaximized);

    QCOMPARE(button("btCadastrar")->text(), u"Cadastrar &ZEF"_s);
    QCOMPARE(button("btGravar")->text(), u"&Gravar arquivo"_s);
    QCOMPARE(button("btGravar")->toolTip(), u"Gravar arquivo para ser transmitido via intenet"_s);
    QCOMPARE(button("btImprimir")->text(), u"Im&primir ZEF"_s);
    QCOMPARE(button("btSair")->text(), u"&Sair"_s);

    // The four buttons and the logo sit in the left panel.
    const QWidget *painel = m_janela->findChild<QWidget *>(u"Panel1"_s);
    QVERIFY(painel);
    QCOMPARE(painel->findChildren<QPushButton *>().size(), 4);
    const QLabel *logo = painel->findChild<QLabel *>(u"Image1"_s);
    QVERIFY(logo && !logo->pixmap().isNull());

    // Two empty panels in the status bar.
    const QList<QLabel *> paineis = m_janela->statusBar()->findChildren<QLabel *>(Qt::FindDirectChildrenOnly);
    QCOMPARE(paineis.size(), 2);
    for (const QLabel *p : paineis)
        QVERIFY(p->text().isEmpty());
}

void TstMainWindow::menus_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QStringList>("items");

    QTest::newRow("Cadastros") << u"&Cadastros"_s << true
                               << QStringList{u"&Contribuintes"_s, u"C&ontabilista Responsável pela Declaração"_s,
                                              u"&Importar Dados Contribuintes ZEF 2025"_s, u"-"_s, u"&Sair"_s};
    QTest::newRow("Tabelas") << u"&Tabelas"_s << false << QStringList{u"M&unicípios"_s, u"&Atividades "_s};
    QTest::newRow("Ferramentas") << u"&Ferramentas"_s << true
                                 << QStringList{u"&Reindexar Arquivos"_s,
                                                u"&Importar dados do sistema de contablidade p/ ZEF Eletrônico"_s};
    QTest::newRow("Ajuda") << u"&Ajuda"_s << true
                           << QStringList{u"&Manual de Preenchimento"_s, u"Exibir informativo de mudanças da versão"_s,
                                          u"&LEIAUTE 2026"_s, u"-"_s, u"&Sobre o Sistema"_s};
}

void TstMainWindow::menus()
{
    QFETCH(QString, menu);
    QFETCH(bool, shown);
    QFETCH(QStringList, items);

    QStringList titles;
    const QMenu *found = nullptr;
    for (const QAction *a : m_janela->menuBar()->actions()) {
        titles.append(a->text());
        if (a->text() == menu) {
            found = a->menu();
            QCOMPARE(a->isVisible(), shown);
        }
    }
    QCOMPARE(titles, (QStringList{u"&Cadastros"_s, u"&Tabelas"_s, u"&Ferramentas"_s, u"&Ajuda"_s}));
    QVERIFY(found);
    QCOMPARE(itemTexts(found), items);
}

void TstMainWindow::shortcuts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QKeySequence>("keys");

    QTest::newRow("Contribuintes") << u"miContribuintes"_s << QKeySequence(u"Ctrl+C"_s);
    QTest::newRow("Municípios") << u"miMunicipios"_s << QKeySequence(u"Ctrl+M"_s);
    QTest::newRow("Atividades") << u"miAtividades"_s << QKeySequence(u"Ctrl+T"_s);
    for (const char *none : {"miContabilista", "miImportarDados", "miSair", "miReindexar", "miImportarTxt",
                             "miManual", "miMudancas", "miLeiaute", "miSobre"})
        QTest::newRow(none) << QString::fromLatin1(none) << QKeySequence();
}

void TstMainWindow::shortcuts()
{
    QFETCH(QString, name);
    QFETCH(QKeySequence, keys);
    const QAction *a = m_janela->findChild<QAction *>(name);
    QVERIFY(a);
    QCOMPARE(a->shortcut(), keys);
}

void TstMainWindow::entriesRunWhatIsPluggedIn_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("entry");

    QTest::newRow("Cadastrar ZEF") << u"btCadastrar"_s << u"cadastrarZef"_s;
    QTest::newRow("Gravar arquivo") << u"btGravar"_s << u"gravarArquivo"_s;
    QTest::newRow("Imprimir ZEF") << u"btImprimir"_s << u"imprimirZef"_s;
    QTest::newRow("Contribuintes") << u"miContribuintes"_s << u"contribuintes"_s;
    QTest::newRow("Contabilista") << u"miContabilista"_s << u"contabilista"_s;
    QTest::newRow("Importar ZEF 2025") << u"miImportarDados"_s << u"importarDadosContribuintes"_s;
    QTest::newRow("Municípios") << u"miMunicipios"_s << u"municipios"_s;
    QTest::newRow("Atividades") << u"miAtividades"_s << u"atividades"_s;
    QTest::newRow("Importar texto") << u"miImportarTxt"_s << u"importarDadosTxt"_s;
}

void TstMainWindow::entriesRunWhatIsPluggedIn()
{
    QFETCH(QString, control);
    QFETCH(QString, entry);
    if (auto *b = m_janela->findChild<QPushButton *>(control))
        b->click();
    else
        m_janela->findChild<QAction *>(control)->trigger();
    QCOMPARE(m_chamadas, QStringList{entry});
}

void TstMainWindow::entriesWithoutWindowsAreInert()
{
    m_programa->entradas = EntradasPrincipal();
    for (const char *b : {"btCadastrar", "btGravar", "btImprimir"})
        button(b)->click();
    for (const char *a : {"miContribuintes", "miContabilista", "miImportarDados", "miMunicipios", "miAtividades",
                          "miImportarTxt"})
        action(a)->trigger();
    QVERIFY(m_chamadas.isEmpty());
    QVERIFY(m_dialogs->boxes().empty());
}

void TstMainWindow::keyboardShortcutsWork_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("entry");
    QTest::newRow("Ctrl+M, hidden menu") << int(Qt::Key_M) << u"municipios"_s;
    QTest::newRow("Ctrl+T, hidden menu") << int(Qt::Key_T) << u"atividades"_s;
    QTest::newRow("Ctrl+C") << int(Qt::Key_C) << u"contribuintes"_s;
}

void TstMainWindow::keyboardShortcutsWork()
{
    QFETCH(int, key);
    QFETCH(QString, entry);
    m_janela->show();
    QApplication::setActiveWindow(m_janela);
    QVERIFY(QTest::qWaitForWindowActive(m_janela));
    QTest::keyClick(m_janela, Qt::Key(key), Qt::ControlModifier);
    QCOMPARE(m_chamadas, QStringList{entry});
}

void TstMainWindow::sairClosesTheWindow_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("button") << u"btSair"_s;
    QTest::newRow("menu") << u"miSair"_s;
}

void TstMainWindow::sairClosesTheWindow()
{
    QFETCH(QString, control);
    m_janela->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_janela));
    if (auto *b = m_janela->findChild<QPushButton *>(control))
        b->click();
    else
        m_janela->findChild<QAction *>(control)->trigger();
    QVERIFY(!m_janela->isVisible());
}

void TstMainWindow::helpEntriesShowTheirPages_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("page");

    QTest::newRow("manual") << u"miManual"_s << u"fAjuda"_s << u"Orientações de Preencimento"_s
                            << QString::fromLatin1(kPaginaManual);
    QTest::newRow("changes") << u"miMudancas"_s << u"FrmHelp"_s << u"Ajuda Qorm Eletrônica"_s
                             << QString::fromLatin1(kPaginaMudancas);
    QTest::newRow("layout") << u"miLeiaute"_s << u"FrmHelp"_s << u"Ajuda Qorm Eletrônica"_s
                            << QString::fromLatin1(kPaginaLeiaute);
}

void TstMainWindow::helpEntriesShowTheirPages()
{
    QFETCH(QString, entry);
    QFETCH(QString, window);
    QFETCH(QString, caption);
    QFETCH(QString, page);

    QString seenName, seenCaption, seenFile, seenText;
    bool checkBoxShown = true;
    defineGanchoJanelaModal([&](QDialog &janela) {
        seenName = janela.objectName();
        seenCaption = janela.windowTitle();
        const QTextBrowser *browser = janela.findChild<QTextBrowser *>();
        seenFile = browser->source().toLocalFile();
        seenText = browser->toPlainText();
        if (auto *help = qobject_cast<TFrmHelp *>(&janela))
            checkBoxShown = help->naoExibir()->isVisible();
        janela.reject();
    });
    action(entry.toLatin1().constData())->trigger();

    QCOMPARE(seenName, window);
    QCOMPARE(seenCaption, caption);
    QCOMPARE(QFileInfo(seenFile).canonicalFilePath(), QFileInfo(QDir(binDir()).filePath(page)).canonicalFilePath());
    QVERIFY(!seenFile.isEmpty());
    QVERIFY2(seenText.size() > 2000, qPrintable(seenText.left(200)));
    if (window == u"FrmHelp"_s)
        QVERIFY(!checkBoxShown);
}

void TstMainWindow::aboutBox()
{
    QString caption, text;
    defineGanchoJanelaModal([&](QDialog &janela) {
        QVERIFY(qobject_cast<TfSobre *>(&janela));
        caption = janela.windowTitle();
        for (const QLabel *l : janela.findChildren<QLabel *>())
            text += l->text() + u'\n';
        janela.accept();
    });
    action("miSobre")->trigger();
    QCOMPARE(caption, u"Sobre o Sistema"_s);
    for (const QString &line : {u"ZEF Eletrônico"_s, u"Versão 2026"_s, nomeAutoridadeFiscal(), nomeGovernoEstado(),
                                u"Última atualização 20/02/2026"_s})
        QVERIFY2(text.contains(line + u'\n'), qPrintable(line));
}

void TstMainWindow::screenshot()
{
    m_janela->showMaximized();
    QVERIFY(QTest::qWaitForWindowExposed(m_janela));
    const QPixmap picture = m_janela->grab();
    QVERIFY(!picture.isNull());
    // ZEF_SCREENSHOT names a file to keep the picture in, for the documentation.
    const QString target = qEnvironmentVariable("ZEF_SCREENSHOT");
    if (!target.isEmpty())
        QVERIFY(picture.save(target));
}

QTEST_MAIN(TstMainWindow)
#include "tst_main_window.moc"
