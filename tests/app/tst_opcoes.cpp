#include "app/abre_janela.h"
#include "app/opcoes.h"
#include "app/titulos.h"
#include "data/data_module.h"
#include "data/database_setup.h"
#include "data/scripted_dialogs.h"
#include "engine/query.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

using namespace zef;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(zef::EditorSecao)

namespace {

// An activity that obliges item 07 in the groups of 2012 and 2025, and one listed in no group.
constexpr auto kAtividadeComItem07 = "0111301";
constexpr auto kAtividadeSemItem07 = "4711302";

} // namespace

class TstOpcoes : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void mapping_data();
    void mapping();
    void itemTexts();
    void chooserItemsFollowTheDeclaration_data();
    void chooserItemsFollowTheDeclaration();
    void captions();
    void continuaOpensTheEditorOfThePosition_data();
    void continuaOpensTheEditorOfThePosition();
    void continuaTestsTheActivityAgain();
    void itemWithoutEditorSaysSo();
    void retornaCloses();
    void openedModallyThroughTheHook();

private:
    void declaracao(const QString &anoBase, const QString &atividade);

    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TfDmDados> m_dm;
};

void TstOpcoes::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    QVERIFY(m_home->isValid());
    createDatabase(m_home->path());
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_dm = std::make_unique<TfDmDados>(*m_dialogs, m_home->path());
    m_dm->DataModuleCreate();
}

void TstOpcoes::cleanup()
{
    defineGanchoJanelaModal({});
    m_dm.reset();
    m_dialogs.reset();
    m_home.reset();
}

// Makes the declaration of that base year and activity the current one.
void TstOpcoes::declaracao(const QString &anoBase, const QString &atividade)
{
    Query insere(m_dm->dtbBaseDados,
                 u"insert into zef (AnoBase, CGCEmpresa, CodigoAtividade) values (:AnoBase, :CGCEmpresa, :Atividade)"_s);
    insere.setParam(u"AnoBase"_s, anoBase);
    insere.setParam(u"CGCEmpresa"_s, u"290000017"_s);
    insere.setParam(u"Atividade"_s, atividade);
    insere.execSql();
    if (m_dm->tbZEF.active())
        m_dm->tbZEF.refresh();
    else
        m_dm->tbZEF.open();
    QVERIFY(m_dm->tbZEF.findKey({anoBase, u"290000017"_s}));
}

void TstOpcoes::mapping_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("comItem07");
    QTest::addColumn<int>("item");   // 0: no item there
    QTest::addColumn<EditorSecao>("editor");

    const EditorSecao semSete[] = {EditorSecao::Compra,       EditorSecao::Entradas, EditorSecao::Vendas,
                                   EditorSecao::Saidas,       EditorSecao::ProdDiferido, EditorSecao::Estoque,
                                   EditorSecao::Responsavel};
    const int itensSemSete[] = {3, 4, 5, 6, 8, 9, 10};
    for (int p = 0; p < 7; ++p)
        QTest::addRow("without 07, position %d", p) << p << false << itensSemSete[p] << semSete[p];
    const EditorSecao comSete[] = {EditorSecao::Compra,  EditorSecao::Entradas,   EditorSecao::Vendas,
                                   EditorSecao::Saidas,  EditorSecao::SaidaMunic, EditorSecao::ProdDiferido,
                                   EditorSecao::Estoque, EditorSecao::Responsavel};
    for (int p = 0; p < 8; ++p)
        QTest::addRow("with 07, position %d", p) << p << true << p + 3 << comSete[p];
    QTest::newRow("without 07, past the end") << 7 << false << 0 << EditorSecao::Compra;
    QTest::newRow("with 07, past the end") << 8 << true << 0 << EditorSecao::Compra;
    QTest::newRow("nothing selected") << -1 << true << 0 << EditorSecao::Compra;
}

void TstOpcoes::mapping()
{
    QFETCH(int, position);
    QFETCH(bool, comItem07);
    QFETCH(int, item);
    QFETCH(EditorSecao, editor);

    const std::optional<ItemSecao> found = itemDaPosicao(position, comItem07);
    if (item == 0) {
        QVERIFY(!found);
        return;
    }
    QVERIFY(found);
    QCOMPARE(found->item, item);
    QCOMPARE(found->editor, editor);
    // The text at that position names the same item.
    QCOMPARE(itensOpcoes(comItem07).at(position).left(2).toInt(), item);
}

void TstOpcoes::itemTexts()
{
    const QStringList sete = itensOpcoes(false);
    QCOMPARE(sete.size(), 7);
    QCOMPARE(sete.at(1), u"04 - Entradas de mercadorias, bens e/ou aquisição deserviços,  detalhadas (por Unidadeda Federação)"_s);
    QCOMPARE(sete.at(6), u"10 - Responsáveis pela declaração"_s);

    const QStringList oito = itensOpcoes(true);
    QCOMPARE(oito.size(), 8);
    QCOMPARE(oito.at(4), u"07 - Saídas e Entradas de Mercadorias e/ou Prestações de Serviços do Estabelecimento do "
                         u"Contribuinte (por Município de Origem)"_s);
    QStringList semSete = oito;
    semSete.removeAt(4);
    QCOMPARE(semSete, sete);
}

void TstOpcoes::chooserItemsFollowTheDeclaration_data()
{
    QTest::addColumn<QString>("anoBase");
    QTest::addColumn<QString>("atividade");
    QTest::addColumn<int>("count");

    QTest::newRow("listed for the 2025 group") << u"2025"_s << QString::fromLatin1(kAtividadeComItem07) << 8;
    QTest::newRow("2026 belongs to the 2025 group") << u"2026"_s << QString::fromLatin1(kAtividadeComItem07) << 8;
    QTest::newRow("not listed") << u"2025"_s << QString::fromLatin1(kAtividadeSemItem07) << 7;
    QTest::newRow("no activity") << u"2025"_s << QString() << 7;
}

void TstOpcoes::chooserItemsFollowTheDeclaration()
{
    QFETCH(QString, anoBase);
    QFETCH(QString, atividade);
    QFETCH(int, count);

    declaracao(anoBase, atividade);
    TfOpcoes opcoes(*m_dm);
    QCOMPARE(opcoes.itens(), itensOpcoes(count == 8));
    QCOMPARE(opcoes.posicaoSelecionada(), 0);
}

void TstOpcoes::captions()
{
    TfOpcoes opcoes(*m_dm);
    QCOMPARE(opcoes.windowTitle(), tituloLongo());
    QCOMPARE(opcoes.findChild<QGroupBox *>()->title(), u"Opções"_s);
    QCOMPARE(opcoes.btnContinua()->text(), u"&Continua"_s);
    QCOMPARE(opcoes.btnRetorna()->text(), u"&Retorna"_s);
    const QList<QRadioButton *> radios = opcoes.findChildren<QRadioButton *>();
    QCOMPARE(radios.size(), 7);
    QVERIFY(radios.first()->isChecked());
}

void TstOpcoes::continuaOpensTheEditorOfThePosition_data()
{
    QTest::addColumn<QString>("atividade");
    QTest::addColumn<int>("position");
    QTest::addColumn<EditorSecao>("editor");

    const QString com = QString::fromLatin1(kAtividadeComItem07);
    const QString sem = QString::fromLatin1(kAtividadeSemItem07);
    QTest::newRow("seven items, the last one is 10") << sem << 6 << EditorSecao::Responsavel;
    QTest::newRow("seven items, position 4 is 08") << sem << 4 << EditorSecao::ProdDiferido;
    QTest::newRow("eight items, position 4 is 07") << com << 4 << EditorSecao::SaidaMunic;
    QTest::newRow("eight items, the last one is 10") << com << 7 << EditorSecao::Responsavel;
    QTest::newRow("first item") << com << 0 << EditorSecao::Compra;
}

void TstOpcoes::continuaOpensTheEditorOfThePosition()
{
    QFETCH(QString, atividade);
    QFETCH(int, position);
    QFETCH(EditorSecao, editor);

    declaracao(u"2025"_s, atividade);
    TfOpcoes opcoes(*m_dm);
    QStringList calls;
    opcoes.abreEditor = [&calls](EditorSecao aberto) {
        calls.append(classeEditor(aberto));
        return true;
    };
    opcoes.limpaReferencias = [&calls] { calls.append(u"limpa"_s); };
    opcoes.show();

    opcoes.selecionaPosicao(position);
    QTest::mouseClick(opcoes.btnContinua(), Qt::LeftButton);

    QCOMPARE(calls, (QStringList{classeEditor(editor), u"limpa"_s}));
    // The chooser stays for the next choice.
    QVERIFY(opcoes.isVisible());
}

void TstOpcoes::continuaTestsTheActivityAgain()
{
    // Built with eight items; the activity changes before "&Continua": position 4 is now item 08.
    declaracao(u"2025"_s, QString::fromLatin1(kAtividadeComItem07));
    TfOpcoes opcoes(*m_dm);
    QCOMPARE(opcoes.itens().size(), 8);
    Query(m_dm->dtbBaseDados, u"update zef set CodigoAtividade = '%1'"_s.arg(QLatin1String(kAtividadeSemItem07))).execSql();
    m_dm->tbZEF.refresh();

    std::optional<EditorSecao> aberto;
    opcoes.abreEditor = [&aberto](EditorSecao e) {
        aberto = e;
        return true;
    };
    opcoes.selecionaPosicao(4);
    opcoes.btnContinua()->click();
    QCOMPARE(aberto, std::optional(EditorSecao::ProdDiferido));
}

void TstOpcoes::itemWithoutEditorSaysSo()
{
    declaracao(u"2025"_s, QString::fromLatin1(kAtividadeSemItem07));
    TfOpcoes opcoes(*m_dm);
    bool limpou = false;
    opcoes.abreEditor = [](EditorSecao editor) { return editor == EditorSecao::Compra; };
    opcoes.limpaReferencias = [&limpou] { limpou = true; };
    opcoes.selecionaPosicao(1);
    opcoes.btnContinua()->click();
    QCOMPARE(m_dialogs->texts(), QStringList{u"O item 04 ainda não pode ser editado nesta versão."_s});
    QVERIFY(!limpou);
    // Without any editor plugged in, item 03 says so too.
    opcoes.abreEditor = {};
    opcoes.selecionaPosicao(0);
    opcoes.btnContinua()->click();
    QCOMPARE(m_dialogs->texts().last(), u"O item 03 ainda não pode ser editado nesta versão."_s);
}

void TstOpcoes::retornaCloses()
{
    TfOpcoes opcoes(*m_dm);
    bool aberto = false;
    opcoes.abreEditor = [&aberto](EditorSecao) { return aberto = true; };
    opcoes.show();
    QTest::mouseClick(opcoes.btnRetorna(), Qt::LeftButton);
    QVERIFY(!opcoes.isVisible());
    QVERIFY(!aberto);
}

void TstOpcoes::openedModallyThroughTheHook()
{
    // As the header window opens it: created, shown modally, freed. The editor opened from it is
    // modal in its turn and sees the chooser still open beneath it.
    declaracao(u"2025"_s, QString::fromLatin1(kAtividadeComItem07));
    QStringList ordem;
    defineGanchoJanelaModal([&ordem](QDialog &janela) {
        auto *opcoes = qobject_cast<TfOpcoes *>(&janela);
        QVERIFY(opcoes);
        opcoes->abreEditor = [&ordem, opcoes](EditorSecao editor) {
            ordem.append(classeEditor(editor) + (opcoes->isVisible() ? u" sobre a lista"_s : QString()));
            return true;
        };
        opcoes->selecionaPosicao(4);
        opcoes->btnContinua()->click();
        opcoes->selecionaPosicao(7);
        opcoes->btnContinua()->click();
        opcoes->btnRetorna()->click();
    });
    TfOpcoes opcoes(*m_dm);
    MostraModal(opcoes);
    QCOMPARE(ordem, (QStringList{u"TfSaidaMunic sobre a lista"_s, u"TfResponsavel sobre a lista"_s}));
}

QTEST_MAIN(TstOpcoes)
#include "tst_opcoes.moc"
