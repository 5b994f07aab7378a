#include "register_fixture.h"

#include "app/widgets/db_grid.h"
#include "app/widgets/db_navigator.h"
#include "app/widgets/db_text.h"
#include "header/domicilio.h"
#include "header/pesquisa_municipio.h"

#include <QDir>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>

using namespace zef;
using namespace zef::fixture;
using namespace Qt::StringLiterals;

namespace {

const QString kYear = u"2025"_s;
const QString kA = u"290000017"_s;
const QString kB = u"290000025"_s;
const QString kVardelopolis = u"1721000"_s;
const QString kAldeia = u"1702356"_s;
const QString kAltoAlegre = u"1703057"_s;

const QString kInforme = u"Informe o município do Domicílio Fiscal Anterior."_s;
const QString kLimite = u"Não pode ser cadastrado mais de 5 município para os domicílios atual e anterior!"_s;

// Every table "&Excluir" empties for the declaration.
const QStringList kApagadas{u"ZefMunAnterior"_s,    u"Compras"_s,  u"Operacoes"_s, u"CFOPOperacoes"_s,
                            u"ProdutosDiferidos"_s, u"ProdutosDiferidosNotas"_s, u"Entrada"_s,
                            u"Saidas"_s,            u"SaidasMun"_s, u"Vendas"_s};

QString data(int dia, int mes)
{
    return QDate(2025, mes, dia).toString(u"ddMMyyyy"_s);
}

} // namespace

class TstDomicilio : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void openingCreatesTheCurrentDomicile_data();
    void openingCreatesTheCurrentDomicile();
    void escapeCancelsAndRetornarCloses();
    void storeWithoutMoveClosesTheWindow();
    void novoFollowsTheAnswer_data();
    void novoFollowsTheAnswer();
    void storesFiveDomicilesThroughTheLookUp();
    void lookUpWithTwoStoredGivesC_data();
    void lookUpWithTwoStoredGivesC();
    void noLookUpOnTheWayToCancelar();
    void typedCodeGetsItsLetter_data();
    void typedCodeGetsItsLetter();
    void editedRowKeepsItsLetter();
    void refusedStoreLeavesTheRowAsTyped_data();
    void refusedStoreLeavesTheRowAsTyped();
    void excluirEmptiesTheDeclarationButItsStock_data();
    void excluirEmptiesTheDeclarationButItsStock();
    void screenshot();

private:
    // A declaration of 2025 for the taxpayer, in Vardelópolis, with that answer to the move.
    static void declaracao(RegisterFixture &f, const QString &statusDRF, const QString &inscricao = kA);
    static void domicilio(RegisterFixture &f, const QString &letra, const QString &codigo, const QDate &inicio,
                          const QDate &fim, const QString &inscricao = kA);
    // The declaration current in tbZEF and its domiciles open, as the header leaves them.
    static void abreDeclaracao(RegisterFixture &f, const QString &inscricao = kA);
    static int domicilios(RegisterFixture &f);
    // Picks the municipality by name in the look-up that opens on leaving "Municipio".
    static void escolheNaPesquisa(const QString &nome, int *vistas = nullptr);
    static void saiDoMunicipio(TfDomicilio &w);
};

void TstDomicilio::cleanup()
{
    defineGanchoJanelaModal({});
}

void TstDomicilio::declaracao(RegisterFixture &f, const QString &statusDRF, const QString &inscricao)
{
    f.addTaxpayer(inscricao, u"ALFA COMÉRCIO LTDA"_s);
    f.exec(u"insert into Zef (AnoBase, CGCEmpresa, CodigoMunicipio, RegimeApuracao, TipoEscrita, Finalidade, "
           u"TipoEstabelecimento, Retificacao, StatusDRF) values ('2025', '%1', '1721000', '3', '1', '1', '1', 'N', '%2')"_s
               .arg(inscricao, statusDRF));
}

void TstDomicilio::domicilio(RegisterFixture &f, const QString &letra, const QString &codigo, const QDate &inicio,
                             const QDate &fim, const QString &inscricao)
{
    f.exec(u"insert into ZefMunAnterior (AnoBase, CGCEmpresa, TipoDomicilio, CodMunicipioAnt, DataDRFAntI, "
           u"DataDRFAntF) values ('2025', '%1', '%2', '%3', '%4', '%5')"_s
               .arg(inscricao, letra, codigo, inicio.toString(Qt::ISODate), fim.toString(Qt::ISODate)));
}

void TstDomicilio::abreDeclaracao(RegisterFixture &f, const QString &inscricao)
{
    f.dm->tbZEF.open();
    QVERIFY(f.dm->tbZEF.findKey({kYear, inscricao}));
    f.dm->tbDomicilio.open();
}

int TstDomicilio::domicilios(RegisterFixture &f)
{
    return f.value(u"select count(*) from ZefMunAnterior where AnoBase = '2025' and CGCEmpresa = '%1'"_s.arg(kA))
        .toInt();
}

void TstDomicilio::escolheNaPesquisa(const QString &nome, int *vistas)
{
    defineGanchoJanelaModal([nome, vistas](QDialog &janela) {
        auto &pesquisa = dynamic_cast<TfPesquisaMunicipio &>(janela);
        if (vistas)
            ++*vistas;
        QTest::keyClicks(pesquisa.edPesquisa(), nome);
        QTest::mouseClick(pesquisa.btConfirma(), Qt::LeftButton);
    });
}

void TstDomicilio::saiDoMunicipio(TfDomicilio &w)
{
    if (QApplication::activeWindow() != &w) {
        w.activateWindow();
        QApplication::setActiveWindow(&w);
    }
    w.edMunicipio()->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(w.edMunicipio()->hasFocus());
    tab();
}

void TstDomicilio::openingCreatesTheCurrentDomicile_data()
{
    QTest::addColumn<QString>("statusDRF");
    QTest::newRow("SIM") << u"S"_s;
    QTest::newRow("NÃO") << u"N"_s;
}

void TstDomicilio::openingCreatesTheCurrentDomicile()
{
    QFETCH(QString, statusDRF);
    RegisterFixture f;
    declaracao(f, statusDRF);
    abreDeclaracao(f);
    QWidget cabecalho;
    cabecalho.show();

    {
        TfDomicilio w(*f.dm, f.dialogs, &cabecalho);
        QCOMPARE(f.dm->fDomicilio, static_cast<DomicileWindow *>(&w));
        QVERIFY(mostra(w));

        QCOMPARE(w.windowTitle(), u"Domicílios por Período de Referência Fiscal"_s);
        QCOMPARE(w.nota()->text(), u"É necessário informar o(s) município(s) de Domícílios"_s);
        QVERIFY(!cabecalho.isVisible());
        Table &t = f.dm->tbDomicilio;
        QCOMPARE(t.state(), Dataset::State::Insert);
        QCOMPARE(t.fieldByName(u"CodMunicipioAnt"_s)->asString(), kVardelopolis);
        QCOMPARE(t.fieldByName(u"TipoDomicilio"_s)->asString(), u"A"_s);
        QCOMPARE(w.nomeMunicipio()->text(), u"VARDELÓPOLIS"_s);
        QCOMPARE(w.edTipoDomicilio()->text(), u"A"_s);
        QCOMPARE(QApplication::focusWidget(), w.edDataInicial());
        QVERIFY(w.edMunicipio()->isReadOnly());
        QVERIFY(w.btGravar()->isEnabled() && w.btCancelar()->isEnabled());
        QVERIFY(!w.btNovo()->isEnabled() && !w.btExcluir()->isEnabled() && !w.navegador()->isEnabled());
        QVERIFY(f.dialogs.boxes().empty());

        const DatasetModel *modelo = w.grid()->datasetModel();
        QStringList titulos;
        for (int c = 0; c < modelo->columnCount(); ++c)
            titulos.append(modelo->headerData(c, Qt::Horizontal).toString());
        QCOMPARE(titulos, (QStringList{u"Domicílio"_s, u"Código"_s, u"Descrição"_s, u"Data inicial"_s, u"Data final"_s}));
        QCOMPARE(w.navegador()->button(DBNavigator::First)->toolTip(), u"Primeiro"_s);
        QCOMPARE(w.btRetornar()->text(), u"Retornar"_s);

        QTest::mouseClick(w.btRetornar(), Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QVERIFY(cabecalho.isVisible());
        QVERIFY(!t.active());
    }
    QCOMPARE(f.dm->fDomicilio, nullptr);
    QCOMPARE(domicilios(f), 0);
}

void TstDomicilio::escapeCancelsAndRetornarCloses()
{
    RegisterFixture f;
    declaracao(f, u"S"_s);
    domicilio(f, u"A"_s, kVardelopolis, QDate(2025, 1, 1), QDate(2025, 12, 31));
    abreDeclaracao(f);
    TfDomicilio w(*f.dm, f.dialogs);
    QVERIFY(mostra(w));
    Table &t = f.dm->tbDomicilio;
    QCOMPARE(t.state(), Dataset::State::Browse);

    digita(w.edDataFinal(), data(30, 12));
    QCOMPARE(t.state(), Dataset::State::Edit);
    QTest::keyClick(w.edDataFinal(), Qt::Key_Escape);
    QCOMPARE(t.state(), Dataset::State::Browse);
    QVERIFY(w.isVisible());

    digita(w.edDataFinal(), data(30, 12));
    QTest::keyClick(w.edDataFinal(), Qt::Key_Return);
    QCOMPARE(t.fieldByName(u"DataDRFAntF"_s)->asDate(), QDate(2025, 12, 30));
    QTest::mouseClick(w.btRetornar(), Qt::LeftButton);
    QVERIFY(!w.isVisible());
    QVERIFY(!t.active());
    QCOMPARE(f.value(u"select DataDRFAntF from ZefMunAnterior"_s).toDate(), QDate(2025, 12, 31));
    QVERIFY(f.dialogs.boxes().empty());
}

void TstDomicilio::storeWithoutMoveClosesTheWindow()
{
    RegisterFixture f;
    declaracao(f, u"N"_s);
    abreDeclaracao(f);
    QWidget cabecalho;
    cabecalho.show();

    bool escondido = false;
    bool novoDesabilitado = false;
    defineGanchoJanelaModal([&](QDialog &janela) {
        auto &w = dynamic_cast<TfDomicilio &>(janela);
        escondido = !cabecalho.isVisible();
        novoDesabilitado = !w.btNovo()->isEnabled();
        digita(w.edDataInicial(), data(1, 1));
        digita(w.edDataFinal(), data(31, 12));
        QTest::mouseClick(w.btGravar(), Qt::LeftButton);
    });
    abreDomicilio(*f.dm, f.dialogs, &cabecalho);

    QVERIFY(escondido);
    QVERIFY(novoDesabilitado);
    QVERIFY(cabecalho.isVisible());
    QVERIFY(!f.dm->tbDomicilio.active());
    QCOMPARE(f.dm->fDomicilio, nullptr);
    QVERIFY(f.dialogs.boxes().empty());
    QCOMPARE(domicilios(f), 1);
    QCOMPARE(f.value(u"select TipoDomicilio || CodMunicipioAnt || DataDRFAntI || DataDRFAntF from ZefMunAnterior "
                     u"where AnoBase = '2025' and CGCEmpresa = '290000017'"_s)
                 .toString(),
             u"A17210002025-01-012025-12-31"_s);
    QCOMPARE(f.value(u"select DataDeclaracao from Zef"_s).toDate(), QDate::currentDate());
}

void TstDomicilio::novoFollowsTheAnswer_data()
{
    QTest::addColumn<QString>("statusDRF");
    QTest::addColumn<bool>("novo");
    QTest::newRow("SIM") << u"S"_s << true;
    QTest::newRow("NÃO") << u"N"_s << false;
}

void TstDomicilio::novoFollowsTheAnswer()
{
    QFETCH(QString, statusDRF);
    QFETCH(bool, novo);
    RegisterFixture f;
    declaracao(f, statusDRF);
    domicilio(f, u"A"_s, kVardelopolis, QDate(2025, 1, 1), QDate(2025, 12, 31));
    abreDeclaracao(f);
    TfDomicilio w(*f.dm, f.dialogs);
    QVERIFY(mostra(w));

    QCOMPARE(w.btNovo()->isEnabled(), novo);
    QVERIFY(w.btExcluir()->isEnabled() && w.navegador()->isEnabled());
    QVERIFY(!w.btGravar()->isEnabled() && !w.btCancelar()->isEnabled());
    QCOMPARE(w.grid()->model()->rowCount(), 1);

    digita(w.edDataInicial(), data(2, 1));
    QVERIFY(!w.btNovo()->isEnabled() && !w.btExcluir()->isEnabled() && !w.navegador()->isEnabled());
    QVERIFY(w.btGravar()->isEnabled() && w.btCancelar()->isEnabled());

    QTest::mouseClick(w.btCancelar(), Qt::LeftButton);
    QCOMPARE(f.dm->tbDomicilio.state(), Dataset::State::Browse);
    QCOMPARE(w.edDataInicial()->text(), u"01/01/2025"_s);
    QCOMPARE(w.btNovo()->isEnabled(), novo);
    QVERIFY(w.btExcluir()->isEnabled());
}

void TstDomicilio::storesFiveDomicilesThroughTheLookUp()
{
    RegisterFixture f;
    declaracao(f, u"S"_s);
    abreDeclaracao(f);
    TfDomicilio w(*f.dm, f.dialogs);
    QVERIFY(mostra(w));
    Table &t = f.dm->tbDomicilio;

    struct Domicilio {
        QString letra;
        QString pesquisa;   // empty: the header's municipality
        QString codigo;
        QString inicio;
        QString fim;
    };
    const QList<Domicilio> linhas{
        {u"A"_s, QString(), kVardelopolis, data(1, 6), data(31, 12)},
        {u"B"_s, u"aldeia"_s, kAldeia, data(1, 5), data(31, 5)},
        {u"C"_s, u"alto alegre"_s, kAltoAlegre, data(1, 4), data(30, 4)},
        {u"D"_s, u"angical"_s, u"1705151"_s, data(1, 3), data(31, 3)},
        {u"E"_s, u"agua fria"_s, u"1700954"_s, data(1, 1), data(28, 2)},
    };
    int gravados = 0;
    for (const Domicilio &l : linhas) {
        QCOMPARE(t.state(), Dataset::State::Insert);
        if (!l.pesquisa.isEmpty()) {
            // Each row after a store starts on "Municipio", which the user leaves for the look-up.
            QCOMPARE(QApplication::focusWidget(), w.edMunicipio());
            QVERIFY(w.nomeMunicipio()->text().isEmpty());
            int vistas = 0;
            escolheNaPesquisa(l.pesquisa, &vistas);
            saiDoMunicipio(w);
            QCOMPARE(vistas, 1);
        }
        QCOMPARE(t.fieldByName(u"CodMunicipioAnt"_s)->asString(), l.codigo);
        QCOMPARE(t.fieldByName(u"TipoDomicilio"_s)->asString(), l.letra);
        digita(w.edDataInicial(), l.inicio);
        digita(w.edDataFinal(), l.fim);
        QTest::mouseClick(w.btGravar(), Qt::LeftButton);
        ++gravados;
        QCOMPARE(domicilios(f), gravados);
        QCOMPARE(f.value(u"select CodMunicipioAnt from ZefMunAnterior where TipoDomicilio = '%1'"_s.arg(l.letra))
                     .toString(),
                 l.codigo);
    }

    // The fifth store appends nothing; every earlier one asked for the previous domicile.
    QCOMPARE(t.state(), Dataset::State::Browse);
    QCOMPARE(f.dialogs.texts(), QStringList(4, kInforme));
    QCOMPARE(w.grid()->model()->rowCount(), 5);

    f.dialogs.clear();
    QVERIFY(w.btNovo()->isEnabled());
    QTest::mouseClick(w.btNovo(), Qt::LeftButton);
    QCOMPARE(f.dialogs.texts(), QStringList{kLimite});
    QCOMPARE(t.state(), Dataset::State::Browse);
    QCOMPARE(t.recordCount(), 5);
    QCOMPARE(domicilios(f), 5);
}

void TstDomicilio::lookUpWithTwoStoredGivesC_data()
{
    QTest::addColumn<bool>("escolhe");
    QTest::newRow("a municipality chosen") << true;
    QTest::newRow("returned without a choice") << false;
}

void TstDomicilio::lookUpWithTwoStoredGivesC()
{
    QFETCH(bool, escolhe);
    RegisterFixture f;
    declaracao(f, u"S"_s);
    domicilio(f, u"A"_s, kVardelopolis, QDate(2025, 6, 1), QDate(2025, 12, 31));
    domicilio(f, u"B"_s, kAldeia, QDate(2025, 5, 1), QDate(2025, 5, 31));
    abreDeclaracao(f);
    TfDomicilio w(*f.dm, f.dialogs);
    QVERIFY(mostra(w));

    QTest::mouseClick(w.btNovo(), Qt::LeftButton);
    QCOMPARE(f.dialogs.texts(), QStringList{kInforme});
    QCOMPARE(QApplication::focusWidget(), w.edMunicipio());
    QVERIFY(!w.edMunicipio()->isReadOnly());

    int vistas = 0;
    QString filtro;
    int linhas = 0;
    defineGanchoJanelaModal([&](QDialog &janela) {
        auto &pesquisa = dynamic_cast<TfPesquisaMunicipio &>(janela);
        ++vistas;
        filtro = pesquisa.tabela().filter();
        linhas = pesquisa.tabela().recordCount();
        if (!escolhe) {
            QTest::keyClick(pesquisa.edPesquisa(), Qt::Key_Escape);
            return;
        }
        QTest::keyClicks(pesquisa.edPesquisa(), u"alto alegre"_s);
        QTest::mouseClick(pesquisa.btConfirma(), Qt::LeftButton);
    });
    saiDoMunicipio(w);

    QCOMPARE(vistas, 1);
    QCOMPARE(filtro, u"Codigo<>'1727000' and UF='VD'"_s);
    QCOMPARE(linhas, 134);
    Table &t = f.dm->tbDomicilio;
    QCOMPARE(t.state(), Dataset::State::Insert);
    QCOMPARE(t.fieldByName(u"TipoDomicilio"_s)->asString(), u"C"_s);
    QCOMPARE(t.fieldByName(u"CodMunicipioAnt"_s)->asString(), escolhe ? kAltoAlegre : QString());
    QCOMPARE(w.nomeMunicipio()->text(), escolhe ? u"ALTO ALEGRE"_s : QString());
    QCOMPARE(w.edTipoDomicilio()->text(), u"C"_s);
}

void TstDomicilio::noLookUpOnTheWayToCancelar()
{
    RegisterFixture f;
    declaracao(f, u"S"_s);
    domicilio(f, u"A"_s, kVardelopolis, QDate(2025, 6, 1), QDate(2025, 12, 31));
    abreDeclaracao(f);
    TfDomicilio w(*f.dm, f.dialogs);
    QVERIFY(mostra(w));
    QTest::mouseClick(w.btNovo(), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), w.edMunicipio());

    defineGanchoJanelaModal([](QDialog &janela) {
        janela.reject();
        QFAIL("no look-up on the way to Cancelar");
    });
    QTest::mouseClick(w.btCancelar(), Qt::LeftButton);
    QCOMPARE(f.dm->tbDomicilio.state(), Dataset::State::Browse);
    QCOMPARE(f.dm->tbDomicilio.recordCount(), 1);
    QCOMPARE(domicilios(f), 1);
}

void TstDomicilio::typedCodeGetsItsLetter_data()
{
    QTest::addColumn<int>("gravados");
    QTest::addColumn<QString>("letra");
    QTest::newRow("after the current domicile") << 1 << u"B"_s;
    QTest::newRow("after three") << 3 << u"D"_s;
}

void TstDomicilio::typedCodeGetsItsLetter()
{
    QFETCH(int, gravados);
    QFETCH(QString, letra);
    RegisterFixture f;
    declaracao(f, u"S"_s);
    // Domiciles of another declaration do not count.
    declaracao(f, u"S"_s, kB);
    domicilio(f, u"A"_s, kVardelopolis, QDate(2025, 1, 1), QDate(2025, 12, 31), kB);
    const QList<std::pair<QDate, QDate>> periodos{{QDate(2025, 6, 1), QDate(2025, 12, 31)},
                                                  {QDate(2025, 5, 1), QDate(2025, 5, 31)},
                                                  {QDate(2025, 4, 1), QDate(2025, 4, 30)}};
    for (int i = 0; i < gravados; ++i)
        domicilio(f, QString(QChar(u'A' + i)), kVardelopolis, periodos[i].first, periodos[i].second);
    abreDeclaracao(f);
    TfDomicilio w(*f.dm, f.dialogs);
    QVERIFY(mostra(w));

    QTest::mouseClick(w.btNovo(), Qt::LeftButton);
    defineGanchoJanelaModal([](QDialog &janela) {
        janela.reject();
        QFAIL("a known code needs no look-up");
    });
    digita(w.edMunicipio(), kAldeia);
    tab();

    Table &t = f.dm->tbDomicilio;
    QCOMPARE(w.nomeMunicipio()->text(), u"ALDEIA NOVA"_s);
    QCOMPARE(t.fieldByName(u"TipoDomicilio"_s)->asString(), letra);

    // Stored in sequence, it keeps that letter.
    const QDate fim = periodos[gravados - 1].first.addDays(-1);
    digita(w.edDataInicial(), QDate(2025, fim.month(), 1).toString(u"ddMMyyyy"_s));
    digita(w.edDataFinal(), fim.toString(u"ddMMyyyy"_s));
    QTest::mouseClick(w.btGravar(), Qt::LeftButton);
    QCOMPARE(domicilios(f), gravados + 1);
    QCOMPARE(f.value(u"select TipoDomicilio from ZefMunAnterior where CodMunicipioAnt = '%1'"_s.arg(kAldeia)).toString(),
             letra);
}

void TstDomicilio::editedRowKeepsItsLetter()
{
    RegisterFixture f;
    declaracao(f, u"S"_s);
    domicilio(f, u"A"_s, kVardelopolis, QDate(2025, 6, 1), QDate(2025, 12, 31));
    domicilio(f, u"B"_s, kAldeia, QDate(2025, 1, 1), QDate(2025, 5, 31));
    abreDeclaracao(f);
    TfDomicilio w(*f.dm, f.dialogs);
    QVERIFY(mostra(w));
    QTest::mouseClick(w.btNovo(), Qt::LeftButton);
    QTest::mouseClick(w.btCancelar(), Qt::LeftButton);

    Table &t = f.dm->tbDomicilio;
    QVERIFY(t.locate({u"TipoDomicilio"_s}, {u"B"_s}));
    defineGanchoJanelaModal([](QDialog &janela) {
        janela.reject();
        QFAIL("a known code needs no look-up");
    });
    digita(w.edMunicipio(), kAltoAlegre);
    tab();
    QCOMPARE(t.state(), Dataset::State::Edit);
    QCOMPARE(t.fieldByName(u"TipoDomicilio"_s)->asString(), u"B"_s);
    QCOMPARE(w.nomeMunicipio()->text(), u"ALTO ALEGRE"_s);
}

void TstDomicilio::refusedStoreLeavesTheRowAsTyped_data()
{
    QTest::addColumn<QString>("inicio");
    QTest::addColumn<QString>("fim");
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<bool>("focoNoInicio");

    QTest::newRow("end before the start") << data(31, 5) << data(1, 5)
                                          << u"Data Inicial n o pode ser maior que a data Final!!!"_s << true;
    QTest::newRow("no end") << data(1, 1) << QString() << u"Data Inicial ou Final Inv lida. Verifique!!!"_s << true;
    QTest::newRow("start outside the base year")
        << u"01012024"_s << data(31, 5) << u"O Período Inicial de referência é diferente do Ano Base!"_s << false;
    QTest::newRow("not ending the day before the current domicile")
        << data(1, 1) << data(30, 5)
        << u"A Data Inicial do Domicílio \"A\" VARDELÓPOLIS, deverá ser obrigatoriamente sequencial a Data Final "
           u"do Domicílio \"B\" ALDEIA NOVA."_s
        << false;
}

void TstDomicilio::refusedStoreLeavesTheRowAsTyped()
{
    QFETCH(QString, inicio);
    QFETCH(QString, fim);
    QFETCH(QString, mensagem);
    QFETCH(bool, focoNoInicio);

    RegisterFixture f;
    declaracao(f, u"S"_s);
    domicilio(f, u"A"_s, kVardelopolis, QDate(2025, 6, 1), QDate(2025, 12, 31));
    abreDeclaracao(f);
    TfDomicilio w(*f.dm, f.dialogs);
    QVERIFY(mostra(w));
    QTest::mouseClick(w.btNovo(), Qt::LeftButton);
    digita(w.edMunicipio(), kAldeia);
    tab();
    digita(w.edDataInicial(), inicio);
    digita(w.edDataFinal(), fim);
    f.dialogs.clear();

    QTest::mouseClick(w.btGravar(), Qt::LeftButton);

    QCOMPARE(f.dialogs.texts(), QStringList{mensagem});
    if (focoNoInicio)
        QCOMPARE(QApplication::focusWidget(), w.edDataInicial());
    Table &t = f.dm->tbDomicilio;
    QCOMPARE(t.state(), Dataset::State::Insert);
    QCOMPARE(t.fieldByName(u"CodMunicipioAnt"_s)->asString(), kAldeia);
    QCOMPARE(t.fieldByName(u"TipoDomicilio"_s)->asString(), u"B"_s);
    QCOMPARE(w.edDataInicial()->value(), inicio);
    QCOMPARE(w.edDataFinal()->value(), fim);
    QVERIFY(!f.dm->dtbBaseDados.inTransaction());
    QCOMPARE(domicilios(f), 1);
    QVERIFY(f.value(u"select DataDeclaracao from Zef"_s).isNull());
    QVERIFY(w.btGravar()->isEnabled());
}

void TstDomicilio::excluirEmptiesTheDeclarationButItsStock_data()
{
    QTest::addColumn<QList<Dialogs::Button>>("respostas");
    QTest::addColumn<bool>("apaga");
    QTest::newRow("Sim, OK") << QList<Dialogs::Button>{Dialogs::Button::Yes, Dialogs::Button::Ok} << true;
    QTest::newRow("Não") << QList<Dialogs::Button>{Dialogs::Button::No} << false;
    QTest::newRow("Sim, Cancelar") << QList<Dialogs::Button>{Dialogs::Button::Yes, Dialogs::Button::Cancel} << false;
}

void TstDomicilio::excluirEmptiesTheDeclarationButItsStock()
{
    QFETCH(QList<Dialogs::Button>, respostas);
    QFETCH(bool, apaga);

    RegisterFixture f;
    for (const QString &inscricao : {kA, kB}) {
        declaracao(f, u"S"_s, inscricao);
        domicilio(f, u"A"_s, kVardelopolis, QDate(2025, 6, 1), QDate(2025, 12, 31), inscricao);
        domicilio(f, u"B"_s, kAldeia, QDate(2025, 1, 1), QDate(2025, 5, 31), inscricao);
        for (const QString &tabela : kApagadas.mid(1) + QStringList{u"Estoque"_s})
            f.exec(u"insert into %1 (AnoBase, CGCEmpresa) values ('2025', '%2')"_s.arg(tabela, inscricao));
    }
    const auto linhas = [&f](const QString &tabela, const QString &inscricao) {
        return f.value(u"select count(*) from %1 where AnoBase = '2025' and CGCEmpresa = '%2'"_s.arg(tabela, inscricao))
            .toInt();
    };
    abreDeclaracao(f);
    TfDomicilio w(*f.dm, f.dialogs);
    QVERIFY(mostra(w));
    for (Dialogs::Button b : respostas)
        f.dialogs.answer(b);

    QVERIFY(w.btExcluir()->isEnabled());
    QTest::mouseClick(w.btExcluir(), Qt::LeftButton);

    const auto &caixas = f.dialogs.boxes();
    QVERIFY(caixas.size() >= 1);
    QCOMPARE(caixas[0].text, u"Confirma exclusão? "_s);
    QCOMPARE(caixas[0].buttons, Dialogs::Buttons::YesNo);
    QCOMPARE(caixas[0].icon, Dialogs::Icon::Question);
    QCOMPARE(caixas[0].byDefault, Dialogs::Button::No);
    if (respostas.size() > 1) {
        QVERIFY(caixas.size() >= 2);
        QCOMPARE(caixas[1].text,
                 u"A exclusão apagará todos os municípios de Domicilio Fiscal e as operações.\rDeseja continuar? "_s);
        QCOMPARE(caixas[1].buttons, Dialogs::Buttons::OkCancel);
        QCOMPARE(caixas[1].title, u"Domicílio"_s);
        QCOMPARE(caixas[1].byDefault, Dialogs::Button::Cancel);
    }
    QCOMPARE(f.dialogs.pendingAnswers(), 0);
    QCOMPARE(int(caixas.size()), int(respostas.size()) + (apaga ? 1 : 0));
    if (apaga)
        QCOMPARE(caixas.back().text, u"Registros excluídos com sucesso!"_s);

    for (const QString &tabela : kApagadas) {
        QVERIFY2(linhas(tabela, kA) == (apaga ? 0 : (tabela == u"ZefMunAnterior"_s ? 2 : 1)), qPrintable(tabela));
        QVERIFY2(linhas(tabela, kB) > 0, qPrintable(tabela));
    }
    QCOMPARE(linhas(u"Estoque"_s, kA), 1);
    QCOMPARE(linhas(u"Zef"_s, kA), 1);
    QCOMPARE(f.dm->tbDomicilio.recordCount(), apaga ? 0 : 2);
    QCOMPARE(w.grid()->model()->rowCount(), apaga ? 0 : 2);
    QVERIFY(!f.dm->dtbBaseDados.inTransaction());
}

void TstDomicilio::screenshot()
{
    RegisterFixture f;
    declaracao(f, u"S"_s);
    domicilio(f, u"A"_s, kVardelopolis, QDate(2025, 6, 1), QDate(2025, 12, 31));
    domicilio(f, u"B"_s, kAldeia, QDate(2025, 1, 1), QDate(2025, 5, 31));
    abreDeclaracao(f);
    TfDomicilio w(*f.dm, f.dialogs);
    QVERIFY(mostra(w));
    QCOMPARE(w.grid()->model()->rowCount(), 2);
    QVERIFY(w.width() <= 1366 && w.height() <= 768);
    const QPixmap imagem = w.grab();
    QVERIFY(!imagem.isNull());
    const QString pasta = qEnvironmentVariable("ZEF_SCREENSHOT_DIR");
    if (!pasta.isEmpty())
        QVERIFY(imagem.save(QDir(pasta).filePath(u"domicilio.png"_s)));
}

QTEST_MAIN(TstDomicilio)
#include "tst_domicilio.moc"
