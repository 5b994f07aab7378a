#include "app/ajuda.h"
#include "app/frm_help.h"
#include "app/main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>

using namespace zef;
using namespace Qt::StringLiterals;

namespace {

QString binDir()
{
    return QStringLiteral(ZEF_BIN_DIR);
}

QString page(const char *name)
{
    return QDir(binDir()).filePath(QString::fromLatin1(name));
}

QString plainTextOf(const QString &path)
{
    QTextBrowser browser;
    browser.setSource(QUrl::fromLocalFile(path));
    return browser.toPlainText();
}

} // namespace

class TstAjuda : public QObject
{
    Q_OBJECT

private slots:
    void pagesLieBesideTheProgram_data();
    void pagesLieBesideTheProgram();
    void pagesCoverTheirSubject_data();
    void pagesCoverTheirSubject();
    void tfAjuda();
    void tFrmHelp();
    void fecharClosesTheHelpWindow();
};

void TstAjuda::pagesLieBesideTheProgram_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("manual") << QString::fromLatin1(kPaginaManual);
    QTest::newRow("changes") << QString::fromLatin1(kPaginaMudancas);
    QTest::newRow("layout") << QString::fromLatin1(kPaginaLeiaute);
}

void TstAjuda::pagesLieBesideTheProgram()
{
    QFETCH(QString, file);
    QFile html(QDir(binDir()).filePath(file));
    QVERIFY2(html.open(QIODevice::ReadOnly), qPrintable(html.fileName()));
    const QByteArray bytes = html.readAll();
    QVERIFY(bytes.contains("<meta charset=\"utf-8\">"));
    QCOMPARE(QString::fromUtf8(bytes).toUtf8(), bytes);

    // Every page the text links to is shipped too.
    const QRegularExpression link(u"href=\"([^\"#]+\\.htm)"_s);
    for (const QRegularExpressionMatch &m : link.globalMatch(QString::fromUtf8(bytes)))
        QVERIFY2(QFileInfo::exists(QDir(binDir()).filePath(m.captured(1))), qPrintable(m.captured(1)));
}

void TstAjuda::pagesCoverTheirSubject_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("topics");

    QTest::newRow("manual") << page(kPaginaManual)
                            << QStringList{u"Orientações de Preenchimento"_s, u"Quadro 03"_s, u"Quadro 04"_s,
                                           u"Quadro 05"_s, u"Quadro 06"_s, u"Quadro 07"_s, u"Quadro 08"_s,
                                           u"Quadro 09"_s, u"Quadro 10"_s, u"Gravar Arquivo"_s, u"Erros.log"_s,
                                           u"Reindexar Arquivos"_s};
    QTest::newRow("changes") << page(kPaginaMudancas)
                             << QStringList{u"O que mudou"_s, u"BAIXA VOLUNTÁRIA"_s, u"SUSPENSÃO VOLUNTÁRIA"_s,
                                            u"2026.1"_s, u"ZEF 2025"_s};
    QStringList lines;
    for (const char *type : {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "L", "Z"})
        lines.append(u"Linha"_s + (QLatin1String(type) == "F"_L1 ? u"s E e "_s : u" "_s) + QLatin1String(type));
    lines += {u"30121899"_s, u"-0000000123450"_s, u"CR LF"_s};
    QTest::newRow("layout") << page(kPaginaLeiaute) << lines;
}

void TstAjuda::pagesCoverTheirSubject()
{
    QFETCH(QString, file);
    QFETCH(QStringList, topics);
    const QString text = plainTextOf(file);
    for (const QString &topic : topics)
        QVERIFY2(text.contains(topic), qPrintable(topic));
}

void TstAjuda::tfAjuda()
{
    TfAjuda ajuda;
    QCOMPARE(ajuda.objectName(), u"fAjuda"_s);
    QCOMPARE(ajuda.windowTitle(), u"Orientações de Preencimento"_s);
    ajuda.navega(page(kPaginaManual));
    QCOMPARE(ajuda.navegador()->source(), QUrl::fromLocalFile(page(kPaginaManual)));
    QVERIFY(ajuda.navegador()->toPlainText().contains(u"Cadastro da declaração"_s));

    // The browser fills the window.
    ajuda.show();
    QVERIFY(QTest::qWaitForWindowExposed(&ajuda));
    QCOMPARE(ajuda.navegador()->geometry(), ajuda.rect());
}

void TstAjuda::tFrmHelp()
{
    TFrmHelp help;
    QCOMPARE(help.objectName(), u"FrmHelp"_s);
    QCOMPARE(help.windowTitle(), u"Ajuda Qorm Eletrônica"_s);
    QCOMPARE(help.naoExibir()->text(), u"Não exibir esta janela novamente"_s);
    const QToolBar *bar = help.findChild<QToolBar *>();
    QVERIFY(bar);
    QCOMPARE(bar->actions().first()->text(), u"&Fechar"_s);

    help.navega(page(kPaginaLeiaute));
    help.show();
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    QVERIFY(help.naoExibir()->isVisible());
    help.mostraNaoExibir(false);
    // The tool bar lays its widgets out again on its next layout pass.
    QTRY_VERIFY(!help.naoExibir()->isVisible());
    QVERIFY(help.navegador()->toPlainText().contains(u"LEIAUTE 2026"_s));
}

void TstAjuda::fecharClosesTheHelpWindow()
{
    TFrmHelp help;
    help.show();
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    help.findChild<QAction *>(u"btnFechar"_s)->trigger();
    QVERIFY(!help.isVisible());
}

QTEST_MAIN(TstAjuda)
#include "tst_ajuda.moc"
