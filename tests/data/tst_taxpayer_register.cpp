#include "data_module_fixture.h"

#include "data/taxpayer_register.h"

#include <QtTest>

using namespace zef;
using namespace zef::fixture;
using namespace Qt::StringLiterals;

namespace {

// A taxpayer that passes every check.
QVariantMap contribuinteValido()
{
    return {{u"CGCEmpresa"_s, u"11222333000181"_s},  {u"InscricaoEmpresa"_s, u"290000017"_s},
            {u"RazaoSocial"_s, u"D'ÁVILA COMÉRCIO LTDA"_s}, {u"NomeFantasia"_s, u"D'ÁVILA"_s},
            {u"Endereco"_s, u"RUA DAS FLORES, 10"_s},     {u"CodigoAtividade"_s, u"4751201"_s},
            {u"CodigoMunicipio"_s, kVardelopolis},        {u"UF"_s, u"VD"_s},
            {u"CEP"_s, u"77000000"_s},                    {u"Senha"_s, u"1234"_s}};
}

} // namespace

class TstTaxpayerRegister : public QObject
{
    Q_OBJECT

private slots:
    void checksInOrder_data();
    void checksInOrder();
    void validTaxpayerPasses_data();
    void validTaxpayerPasses();
    void storeGivesEveryDeclarationTheActivity();
    void failedStoreIsUndoneSilently();
    void updateStatementText();
    void deletionRefusedWithDeclarations_data();
    void deletionRefusedWithDeclarations();

private:
    // Starts a new row of tbEmpresa holding the values.
    void keyIn(DataModuleFixture &f, const QVariantMap &values);
};

void TstTaxpayerRegister::keyIn(DataModuleFixture &f, const QVariantMap &values)
{
    Table &empresa = f.dm->tbEmpresa;
    if (!empresa.active())
        empresa.open();
    empresa.append();
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        empresa.fieldByName(it.key())->setAsString(it.value().toString());
}

void TstTaxpayerRegister::checksInOrder_data()
{
    QTest::addColumn<QVariantMap>("changes");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("field");

    const auto row = [](const char *name, QVariantMap changes, const QString &message, const QString &field) {
        QTest::newRow(name) << changes << message << field;
    };
    // Each row also breaks every later check, so only the first failure may be reported.
    const QVariantMap laterBroken{{u"RazaoSocial"_s, u" "_s}, {u"InscricaoEmpresa"_s, u"290000018"_s},
                                  {u"NomeFantasia"_s, QString()},  {u"Endereco"_s, QString()},
                                  {u"CEP"_s, u"7700000"_s},        {u"CodigoAtividade"_s, u"9999999"_s},
                                  {u"UF"_s, u"vd"_s},              {u"Senha"_s, u"  "_s}};
    const auto with = [&laterBroken](std::initializer_list<std::pair<const QString, QVariant>> own, int keepFrom) {
        static const QStringList order{u"RazaoSocial"_s, u"InscricaoEmpresa"_s, u"NomeFantasia"_s, u"Endereco"_s,
                                       u"CEP"_s, u"CodigoAtividade"_s, u"UF"_s, u"Senha"_s};
        QVariantMap m;
        for (int i = keepFrom; i < order.size(); ++i)
            m.insert(order[i], laterBroken.value(order[i]));
        for (const auto &p : own)
            m.insert(p.first, p.second);
        return m;
    };
    // Eleven equal digits have right check digits; they are refused before those are computed.
    row("eleven equal digits", with({{u"CGCEmpresa"_s, u"11111111111"_s}}, 0),
        u"Não é válido sequência de número iguais!"_s, u"CGCEmpresa"_s);
    row("empty CNPJ/CPF", with({{u"CGCEmpresa"_s, QString()}}, 0), u"Não é válido sequência de número iguais!"_s,
        u"CGCEmpresa"_s);
    row("wrong check digit", with({{u"CGCEmpresa"_s, u"11222333000182"_s}}, 0), u"CNPJ ou CPF inválido!"_s,
        u"CGCEmpresa"_s);
    row("blank company name", with({}, 0), u"A Razão Social deve ser informada!"_s, u"RazaoSocial"_s);
    row("registration of another state", with({}, 1), u"Inscrição Estadual inválida!"_s, u"InscricaoEmpresa"_s);
    row("no trade name", with({}, 2), u"O Nome Fantasial deve ser informado!"_s, u"NomeFantasia"_s);
    row("no address", with({}, 3), u"O Endereço deve ser informado!"_s, u"Endereco"_s);
    row("CEP of seven digits", with({}, 4), u"Tamanho do CEP inválido!"_s, u"CEP"_s);
    row("unknown activity", with({}, 5), u"Código da atividade econômica inválido!"_s, u"CodigoAtividade"_s);
    row("state in lower case", with({}, 6), u"UF inválida!"_s, u"UF"_s);
    row("blank password", with({}, 7), u"Senha do contribuinte deve ser informada!"_s, u"Senha"_s);
}

void TstTaxpayerRegister::checksInOrder()
{
    QFETCH(QVariantMap, changes);
    QFETCH(QString, message);
    QFETCH(QString, field);

    DataModuleFixture f;
    QVariantMap values = contribuinteValido();
    for (auto it = changes.cbegin(); it != changes.cend(); ++it)
        values.insert(it.key(), it.value());
    keyIn(f, values);

    const auto recusa = verificaContribuinte(f.db(), f.dm->tbEmpresa);
    QVERIFY(recusa);
    QCOMPARE(recusa->mensagem, message);
    QCOMPARE(recusa->campo, field);
}

void TstTaxpayerRegister::validTaxpayerPasses_data()
{
    QTest::addColumn<QString>("cgc");
    QTest::newRow("CNPJ") << u"11222333000181"_s;
    // Fails the CNPJ weights, passes the CPF ones.
    QTest::newRow("CPF") << u"52998224725"_s;
}

void TstTaxpayerRegister::validTaxpayerPasses()
{
    QFETCH(QString, cgc);
    DataModuleFixture f;
    QVariantMap values = contribuinteValido();
    values.insert(u"CGCEmpresa"_s, cgc);
    keyIn(f, values);
    QCOMPARE(verificaContribuinte(f.db(), f.dm->tbEmpresa), std::nullopt);
}

void TstTaxpayerRegister::storeGivesEveryDeclarationTheActivity()
{
    DataModuleFixture f;
    f.addDeclaration(u"2023"_s);
    f.addDeclaration(u"2025"_s);
    f.addDeclaration(u"2025"_s, u"290000025"_s);   // another taxpayer
    f.exec(u"update Zef set CodigoAtividade = '0111301'"_s);

    Table &empresa = f.dm->tbEmpresa;
    empresa.refresh();
    QVERIFY(empresa.findKey({kTaxpayer}));
    empresa.edit();
    empresa.fieldByName(u"CodigoAtividade"_s)->setAsString(u"4751201"_s);
    QVERIFY(gravaContribuinte(f.db(), empresa));

    QCOMPARE(empresa.state(), Dataset::State::Browse);
    QVERIFY(!f.db().inTransaction());
    const auto atividade = [&f](const QString &ano, const QString &ie) {
        return f.value(u"select CodigoAtividade from Zef where AnoBase = :a and CGCEmpresa = :c"_s,
                       {{u"a"_s, ano}, {u"c"_s, ie}})
            .toString();
    };
    QCOMPARE(atividade(u"2023"_s, kTaxpayer), u"4751201"_s);
    QCOMPARE(atividade(u"2025"_s, kTaxpayer), u"4751201"_s);
    QCOMPARE(atividade(u"2025"_s, u"290000025"_s), u"0111301"_s);
    QCOMPARE(f.value(u"select CodigoAtividade from Empresa where InscricaoEmpresa = :i"_s, {{u"i"_s, kTaxpayer}})
                 .toString(),
             u"4751201"_s);
    QVERIFY(f.dialogs.boxes().empty());
}

void TstTaxpayerRegister::failedStoreIsUndoneSilently()
{
    DataModuleFixture f;
    f.addDeclaration();   // the taxpayer 290000017 exists
    f.exec(u"update Zef set CodigoAtividade = '0111301'"_s);

    // A second taxpayer with the same registration number.
    QVariantMap values = contribuinteValido();
    keyIn(f, values);
    QVERIFY(!gravaContribuinte(f.db(), f.dm->tbEmpresa));

    QVERIFY(!f.db().inTransaction());
    QCOMPARE(f.dm->tbEmpresa.state(), Dataset::State::Insert);
    QCOMPARE(f.dm->tbEmpresa.fieldByName(u"Senha"_s)->asString(), u"1234"_s);
    QCOMPARE(f.value(u"select count(*) from Empresa"_s).toInt(), 1);
    QCOMPARE(f.value(u"select CodigoAtividade from Zef"_s).toString(), u"0111301"_s);
    QVERIFY(f.dialogs.boxes().empty());
}

void TstTaxpayerRegister::updateStatementText()
{
    // The values are bound, never written into the text.
    QCOMPARE(textoAtualizaAtividade(),
             u"Update zef set codigoatividade = :CodigoAtividade where cgcempresa = :CGCEmpresa"_s);
}

void TstTaxpayerRegister::deletionRefusedWithDeclarations_data()
{
    QTest::addColumn<QStringList>("anos");
    QTest::addColumn<QString>("message");   // empty: may be deleted
    QTest::newRow("none") << QStringList{} << QString();
    QTest::newRow("one") << QStringList{u"2025"_s}
                         << u"O contribuinte não pode ser excluído: possui 1 declaração (ano base 2025). "
                            "Exclua a declaração antes, no Cadastro do ZEF."_s;
    QTest::newRow("two") << QStringList{u"2025"_s, u"2024"_s}
                         << u"O contribuinte não pode ser excluído: possui 2 declarações (anos base 2024 e 2025). "
                            "Exclua as declarações antes, no Cadastro do ZEF."_s;
    QTest::newRow("three") << QStringList{u"2023"_s, u"2025"_s, u"2019"_s}
                           << u"O contribuinte não pode ser excluído: possui 3 declarações (anos base 2019, 2023 e "
                              "2025). Exclua as declarações antes, no Cadastro do ZEF."_s;
}

void TstTaxpayerRegister::deletionRefusedWithDeclarations()
{
    QFETCH(QStringList, anos);
    QFETCH(QString, message);
    DataModuleFixture f;
    for (const QString &ano : anos)
        f.addDeclaration(ano);
    f.addDeclaration(u"2022"_s, u"290000025"_s);   // another taxpayer's does not count
    const std::optional<QString> recusa = recusaExclusaoContribuinte(f.db(), kTaxpayer);
    if (message.isEmpty())
        QCOMPARE(recusa, std::nullopt);
    else
        QCOMPARE(recusa.value_or(QString()), message);
}

QTEST_GUILESS_MAIN(TstTaxpayerRegister)
#include "tst_taxpayer_register.moc"
