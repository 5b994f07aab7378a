#include "register_fixture.h"

#include "app/widgets/db_grid.h"
#include "app/widgets/db_text.h"
#include "app/qt_dialogs.h"
#include "header/contribuintes.h"
#include "header/pesquisa_atividade.h"
#include "header/pesquisa_municipio.h"

#include <QLineEdit>
#include <QPushButton>

using namespace zef;
using namespace zef::fixture;
using namespace Qt::StringLiterals;

namespace {

const QString kA = u"290000017"_s;
const QString kB = u"290000025"_s;
const QString kNovo = u"290000033"_s;

} // namespace

class TstContribuintes : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void storeAsKeyed_data();
    void storeAsKeyed();
    void storeGivesEveryDeclarationTheActivity();
    void registrationChoice();
    void newTaxpayerKeepsWhatWasTyped();
    void municipalityLookUpLimitedToTheState();
    void municipalityNeedsTheState();
    void blankActivityOpensItsLookUp();
    void noLookUpOnTheWayToCancelar();
    void buttonsFollowTheRow();
    void excluirAsksFirst();
    void excluirRefusedWithDeclarations();
    void enterOnTheQuestionKeepsTheTaxpayer();

private:
    TfContribuintes &abre(RegisterFixture &f);
    // Novo, a new registration number and every other field keyed, as the user fills the form.
    void preenche(TfContribuintes &w, const QVariantMap &alterados = {});
};

void TstContribuintes::cleanup()
{
    defineGanchoJanelaModal({});
}

TfContribuintes &TstContribuintes::abre(RegisterFixture &f)
{
    TfContribuintes &w = CriaJanela(fContribuintes, *f.dm, f.dialogs);
    if (!mostra(w))
        qFatal("the window did not become active");
    return w;
}

void TstContribuintes::preenche(TfContribuintes &w, const QVariantMap &alterados)
{
    QVariantMap valores{{u"CGCEmpresa"_s, u"11222333000181"_s}, {u"RazaoSocial"_s, u"D'ÁVILA COMÉRCIO LTDA"_s},
                        {u"NomeFantasia"_s, u"D'ÁVILA"_s},         {u"Endereco"_s, u"RUA DAS FLORES, 10"_s},
                        {u"CodigoAtividade"_s, u"4751201"_s},      {u"CodigoMunicipio"_s, u"1721000"_s},
                        {u"UF"_s, u"VD"_s},                        {u"CEP"_s, u"77000000"_s},
                        {u"Senha"_s, u"1234"_s}};
    for (auto it = alterados.cbegin(); it != alterados.cend(); ++it)
        valores.insert(it.key(), it.value());

    // The fields in their order on the form, "CNPJ/CPF" before "Inscrição Estadual".
    QTest::mouseClick(w.btNovo(), Qt::LeftButton);
    QVERIFY(w.campo(u"InscricaoEmpresa"_s)->hasFocus());
    digita(w.campo(u"CGCEmpresa"_s), valores.value(u"CGCEmpresa"_s).toString());
    tab();
    QVERIFY(w.campo(u"InscricaoEmpresa"_s)->hasFocus());
    QTest::keyClicks(w.campo(u"InscricaoEmpresa"_s), kNovo);
    tab();
    for (const QString &campo : {u"RazaoSocial"_s, u"NomeFantasia"_s, u"Endereco"_s, u"CodigoAtividade"_s,
                                 u"CodigoMunicipio"_s, u"UF"_s, u"CEP"_s, u"Senha"_s}) {
        QVERIFY(w.campo(campo)->hasFocus());
        digita(w.campo(campo), valores.value(campo).toString());
        tab();
    }
}

void TstContribuintes::storeAsKeyed_data()
{
    QTest::addColumn<QVariantMap>("alterados");
    QTest::addColumn<QString>("message");   // empty: stored
    QTest::addColumn<QString>("focus");

    QTest::newRow("all valid") << QVariantMap{} << QString() << QString();
    QTest::newRow("eleven equal digits, before the check digits")
        << QVariantMap{{u"CGCEmpresa"_s, u"11111111111"_s}, {u"CEP"_s, u"7700000"_s}}
        << u"Não é válido sequência de número iguais!"_s << u"CGCEmpresa"_s;
    QTest::newRow("valid CPF after the CNPJ test fails")
        << QVariantMap{{u"CGCEmpresa"_s, u"52998224725"_s}} << QString() << QString();
    QTest::newRow("invalid CNPJ and CPF") << QVariantMap{{u"CGCEmpresa"_s, u"11222333000182"_s}}
                                          << u"CNPJ ou CPF inválido!"_s << u"CGCEmpresa"_s;
    QTest::newRow("CEP of seven digits") << QVariantMap{{u"CEP"_s, u"7700000"_s}} << u"Tamanho do CEP inválido!"_s
                                         << u"CEP"_s;
    QTest::newRow("state typed in lower case is kept in capitals")
        << QVariantMap{{u"UF"_s, u"vd"_s}} << QString() << QString();
    QTest::newRow("unknown state") << QVariantMap{{u"UF"_s, u"xy"_s}} << u"UF inválida!"_s << u"UF"_s;
    QTest::newRow("no password") << QVariantMap{{u"Senha"_s, QString()}}
                                 << u"Senha do contribuinte deve ser informada!"_s << u"Senha"_s;
}

void TstContribuintes::storeAsKeyed()
{
    QFETCH(QVariantMap, alterados);
    QFETCH(QString, message);
    QFETCH(QString, focus);

    RegisterFixture f;
    TfContribuintes &w = abre(f);
    preenche(w, alterados);
    QVERIFY(f.dialogs.boxes().empty());

    QTest::mouseClick(w.btGravar(), Qt::LeftButton);

    if (message.isEmpty()) {
        QVERIFY2(f.dialogs.texts().isEmpty(), qPrintable(f.dialogs.texts().join(u'|')));
        QCOMPARE(f.dm->tbEmpresa.state(), Dataset::State::Browse);
        QCOMPARE(f.value(u"select UF from Empresa where InscricaoEmpresa = '%1'"_s.arg(kNovo)).toString(), u"VD"_s);
        QCOMPARE(f.value(u"select CGCEmpresa from Empresa where InscricaoEmpresa = '%1'"_s.arg(kNovo)).toString(),
                 alterados.value(u"CGCEmpresa"_s, u"11222333000181"_s).toString());
        QVERIFY(w.btNovo()->isEnabled());
        QVERIFY(!w.btGravar()->isEnabled());
        return;
    }
    QCOMPARE(f.dialogs.texts(), QStringList{message});
    QCOMPARE(QApplication::focusWidget(), w.campo(focus));
    QCOMPARE(f.dm->tbEmpresa.state(), Dataset::State::Insert);
    QCOMPARE(f.value(u"select count(*) from Empresa"_s).toInt(), 0);
}

void TstContribuintes::storeGivesEveryDeclarationTheActivity()
{
    RegisterFixture f;
    f.addTaxpayer(kA, u"ALFA LTDA"_s);
    f.addTaxpayer(kB, u"BETA LTDA"_s);
    for (const char *sql : {"insert into Zef (AnoBase, CGCEmpresa, CodigoAtividade) values ('2019', '290000017', '0111301')",
                            "insert into Zef (AnoBase, CGCEmpresa, CodigoAtividade) values ('2025', '290000017', '0111301')",
                            "insert into Zef (AnoBase, CGCEmpresa, CodigoAtividade) values ('2025', '290000025', '0111301')"})
        f.exec(QString::fromLatin1(sql));

    TfContribuintes &w = abre(f);
    QCOMPARE(f.dm->tbEmpresa.fieldByName(u"InscricaoEmpresa"_s)->asString(), kA);
    digita(w.campo(u"CodigoAtividade"_s), u"4751201"_s);
    tab();
    QCOMPARE(w.descricaoAtividade()->text(), u"COMÉRCIO VAREJISTA ESPECIALIZADO DE EQUIPAMENTOS E SUPRIMENTOS DE INFORMÁTICA"_s);
    QTest::mouseClick(w.btGravar(), Qt::LeftButton);

    QVERIFY(f.dialogs.boxes().empty());
    QCOMPARE(f.value(u"select count(*) from Zef where CodigoAtividade = '4751201'"_s).toInt(), 2);
    QCOMPARE(f.value(u"select CodigoAtividade from Zef where CGCEmpresa = '290000025'"_s).toString(), u"0111301"_s);
}

void TstContribuintes::registrationChoice()
{
    RegisterFixture f;
    f.addTaxpayer(kA, u"ALFA LTDA"_s);
    f.addTaxpayer(kB, u"BETA LTDA"_s);
    TfContribuintes &w = abre(f);
    Table &empresa = f.dm->tbEmpresa;

    // An existing number moves to its taxpayer, dropping the change.
    digita(w.campo(u"InscricaoEmpresa"_s), kB);
    tab();
    QCOMPARE(empresa.state(), Dataset::State::Browse);
    QCOMPARE(empresa.fieldByName(u"RazaoSocial"_s)->asString(), u"BETA LTDA"_s);
    QCOMPARE(f.value(u"select count(*) from Empresa"_s).toInt(), 2);

    // A new number starts a new taxpayer holding it.
    digita(w.campo(u"InscricaoEmpresa"_s), kNovo);
    tab();
    QCOMPARE(empresa.state(), Dataset::State::Insert);
    QCOMPARE(empresa.fieldByName(u"InscricaoEmpresa"_s)->asString(), kNovo);
    QVERIFY(empresa.fieldByName(u"RazaoSocial"_s)->asString().isEmpty());
    QCOMPARE(f.value(u"select RazaoSocial from Empresa where InscricaoEmpresa = '290000025'"_s).toString(),
             u"BETA LTDA"_s);
    QVERIFY(w.btGravar()->isEnabled());
    QVERIFY(!w.btNovo()->isEnabled());
}

void TstContribuintes::newTaxpayerKeepsWhatWasTyped()
{
    RegisterFixture f;
    f.addTaxpayer(kA, u"ALFA LTDA"_s);
    TfContribuintes &w = abre(f);
    Table &empresa = f.dm->tbEmpresa;

    QTest::mouseClick(w.btNovo(), Qt::LeftButton);
    digita(w.campo(u"CGCEmpresa"_s), u"11222333000181"_s);
    tab();
    QTest::keyClicks(w.campo(u"InscricaoEmpresa"_s), kNovo);
    tab();
    digita(w.campo(u"RazaoSocial"_s), u"NOVA LTDA"_s);
    // Back to the number, keyed again with the same unknown value.
    digita(w.campo(u"InscricaoEmpresa"_s), kNovo);
    tab();

    QCOMPARE(empresa.state(), Dataset::State::Insert);
    QCOMPARE(empresa.fieldByName(u"InscricaoEmpresa"_s)->asString(), kNovo);
    QCOMPARE(empresa.fieldByName(u"CGCEmpresa"_s)->asString(), u"11222333000181"_s);
    QCOMPARE(empresa.fieldByName(u"RazaoSocial"_s)->asString(), u"NOVA LTDA"_s);

    // A stored taxpayer's number still goes to that taxpayer, the new row dropped.
    digita(w.campo(u"InscricaoEmpresa"_s), kA);
    tab();
    QCOMPARE(empresa.state(), Dataset::State::Browse);
    QCOMPARE(empresa.fieldByName(u"RazaoSocial"_s)->asString(), u"ALFA LTDA"_s);
    QCOMPARE(f.value(u"select count(*) from Empresa"_s).toInt(), 1);
}

void TstContribuintes::municipalityLookUpLimitedToTheState()
{
    RegisterFixture f;
    TfContribuintes &w = abre(f);
    QTest::mouseClick(w.btNovo(), Qt::LeftButton);
    QTest::keyClicks(w.campo(u"InscricaoEmpresa"_s), kNovo);
    tab();
    digita(w.campo(u"UF"_s), u"vd"_s);
    tab();

    int vistas = 0;
    defineGanchoJanelaModal([&](QDialog &janela) {
        ++vistas;
        auto &pesquisa = dynamic_cast<TfPesquisaMunicipio &>(janela);
        QCOMPARE(pesquisa.windowTitle(), u"Municípios"_s);
        Table &t = pesquisa.tabela();
        QCOMPARE(t.filter(), u"UF='VD' and Codigo<>'9999999' and Codigo<>'1727000'"_s);
        QCOMPARE(t.recordCount(), 133);
        QStringList codigos;
        for (t.first(); !t.eof(); t.next()) {
            QCOMPARE(t.fieldByName(u"UF"_s)->asString(), u"VD"_s);
            codigos.append(t.fieldByName(u"Codigo"_s)->asString());
        }
        QVERIFY(!codigos.contains(u"9999999"_s));
        QVERIFY(!codigos.contains(u"1727000"_s));
        // The user types part of the name without its accent, then Enter twice.
        QTest::keyClicks(pesquisa.edPesquisa(), u"vardelop"_s);
        QCOMPARE(t.fieldByName(u"Descricao"_s)->asString(), u"VARDELÓPOLIS"_s);
        QTest::keyClick(pesquisa.edPesquisa(), Qt::Key_Return);
        QCOMPARE(pesquisa.focusWidget(), pesquisa.btConfirma());
        QTest::keyClick(pesquisa.btConfirma(), Qt::Key_Return);
    });
    // Município is left blank.
    w.campo(u"CodigoMunicipio"_s)->setFocus(Qt::BacktabFocusReason);
    QTRY_VERIFY(w.campo(u"CodigoMunicipio"_s)->hasFocus());
    tab();

    QCOMPARE(vistas, 1);
    QVERIFY(f.dialogs.boxes().empty());
    QCOMPARE(f.dm->tbEmpresa.fieldByName(u"CodigoMunicipio"_s)->asString(), u"1721000"_s);
    QCOMPARE(w.nomeMunicipio()->text(), u"VARDELÓPOLIS"_s);
    QCOMPARE(fPesquisaMunicipio->resultadoUF(), u"VD"_s);
}

void TstContribuintes::municipalityNeedsTheState()
{
    RegisterFixture f;
    TfContribuintes &w = abre(f);
    QTest::mouseClick(w.btNovo(), Qt::LeftButton);
    QTest::keyClicks(w.campo(u"InscricaoEmpresa"_s), kNovo);
    tab();
    defineGanchoJanelaModal([](QDialog &janela) {
        janela.reject();
        QFAIL("no look-up without a state");
    });
    digita(w.campo(u"CodigoMunicipio"_s), QString());
    tab();
    QCOMPARE(f.dialogs.texts(), QStringList{u"UF não informada ou inválida!"_s});
    QCOMPARE(QApplication::focusWidget(), w.campo(u"UF"_s));
}

void TstContribuintes::blankActivityOpensItsLookUp()
{
    RegisterFixture f;
    TfContribuintes &w = abre(f);
    QTest::mouseClick(w.btNovo(), Qt::LeftButton);
    QTest::keyClicks(w.campo(u"InscricaoEmpresa"_s), kNovo);
    tab();

    QString titulo;
    defineGanchoJanelaModal([&](QDialog &janela) {
        auto &pesquisa = dynamic_cast<TfPesquisaAtividade &>(janela);
        titulo = pesquisa.windowTitle();
        QTest::keyClicks(pesquisa.edPesquisa(), u"cultivo de arroz"_s);
        QTest::mouseClick(pesquisa.btConfirma(), Qt::LeftButton);
    });
    w.campo(u"CodigoAtividade"_s)->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(w.campo(u"CodigoAtividade"_s)->hasFocus());
    tab();
    QCOMPARE(titulo, u"Pesquisar Atividades"_s);
    QCOMPARE(f.dm->tbEmpresa.fieldByName(u"CodigoAtividade"_s)->asString(), u"0111301"_s);
    QCOMPARE(w.descricaoAtividade()->text(), u"CULTIVO DE ARROZ"_s);

}

void TstContribuintes::noLookUpOnTheWayToCancelar()
{
    RegisterFixture f;
    TfContribuintes &w = abre(f);
    QTest::mouseClick(w.btNovo(), Qt::LeftButton);
    QTest::keyClicks(w.campo(u"InscricaoEmpresa"_s), kNovo);
    tab();
    defineGanchoJanelaModal([](QDialog &janela) {
        janela.reject();
        QFAIL("no look-up on the way to Cancelar");
    });
    digita(w.campo(u"CodigoAtividade"_s), u"9999999"_s);
    QTest::mouseClick(w.btCancelar(), Qt::LeftButton);
    QVERIFY(!f.dm->tbEmpresa.editing());
    QCOMPARE(f.value(u"select count(*) from Empresa"_s).toInt(), 0);
}

void TstContribuintes::buttonsFollowTheRow()
{
    RegisterFixture f;
    f.addTaxpayer(kA, u"ALFA LTDA"_s);
    TfContribuintes &w = abre(f);
    QVERIFY(w.btNovo()->isEnabled() && w.btExcluir()->isEnabled());
    QVERIFY(!w.btGravar()->isEnabled() && !w.btCancelar()->isEnabled());
    digita(w.campo(u"RazaoSocial"_s), u"ALFA S/A"_s);
    QVERIFY(!w.btNovo()->isEnabled() && !w.btExcluir()->isEnabled());
    QVERIFY(w.btGravar()->isEnabled() && w.btCancelar()->isEnabled());
    QTest::mouseClick(w.btCancelar(), Qt::LeftButton);
    QVERIFY(w.btNovo()->isEnabled());
    QCOMPARE(w.campo(u"RazaoSocial"_s)->text(), u"ALFA LTDA"_s);
}

void TstContribuintes::excluirAsksFirst()
{
    RegisterFixture f;
    f.addTaxpayer(kA, u"ALFA LTDA"_s);
    TfContribuintes &w = abre(f);

    f.dialogs.answer(Dialogs::Button::No);
    QTest::mouseClick(w.btExcluir(), Qt::LeftButton);
    QCOMPARE(f.value(u"select count(*) from Empresa"_s).toInt(), 1);

    f.dialogs.answer(Dialogs::Button::Yes);
    QTest::mouseClick(w.btExcluir(), Qt::LeftButton);
    QCOMPARE(f.dialogs.texts(), (QStringList{u"Confirma Exclusão?"_s, u"Confirma Exclusão?"_s}));
    QCOMPARE(f.dialogs.boxes().front().buttons, Dialogs::Buttons::YesNo);
    QCOMPARE(f.value(u"select count(*) from Empresa"_s).toInt(), 0);
}

// With the program's own message boxes, an Enter on the question deletes nothing.
void TstContribuintes::enterOnTheQuestionKeepsTheTaxpayer()
{
    RegisterFixture f;
    f.addTaxpayer(kA, u"ALFA LTDA"_s);
    QtDialogs caixas;
    TfContribuintes &w = CriaJanela(fContribuintes, *f.dm, caixas);
    QVERIFY(mostra(w));
    QString pergunta;
    enterNaProximaCaixa(&pergunta);
    QTest::mouseClick(w.btExcluir(), Qt::LeftButton);
    QCOMPARE(pergunta, u"Confirma Exclusão?"_s);
    QCOMPARE(f.value(u"select count(*) from Empresa"_s).toInt(), 1);
}

// Deleting a taxpayer would leave its declarations naming nobody: it is refused, with the
// declarations named, and nothing is asked.
void TstContribuintes::excluirRefusedWithDeclarations()
{
    RegisterFixture f;
    f.addTaxpayer(kA, u"ALFA LTDA"_s);
    f.exec(u"insert into Zef (AnoBase, CGCEmpresa) values ('2025', '290000017')"_s);
    f.exec(u"insert into Zef (AnoBase, CGCEmpresa) values ('2024', '290000017')"_s);
    TfContribuintes &w = abre(f);

    QTest::mouseClick(w.btExcluir(), Qt::LeftButton);
    QCOMPARE(f.dialogs.texts(),
             QStringList{u"O contribuinte não pode ser excluído: possui 2 declarações (anos base 2024 e 2025). "
                         "Exclua as declarações antes, no Cadastro do ZEF."_s});
    QCOMPARE(f.dialogs.boxes().front().buttons, Dialogs::Buttons::Ok);
    QCOMPARE(f.value(u"select count(*) from Empresa"_s).toInt(), 1);
    QCOMPARE(f.value(u"select count(*) from Zef"_s).toInt(), 2);
}

QTEST_MAIN(TstContribuintes)
#include "tst_contribuintes.moc"
