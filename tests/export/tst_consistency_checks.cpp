#include "declaration_fixture.h"

#include "data/scripted_dialogs.h"
#include "engine/engine_error.h"
#include "export/consistency_checks.h"
#include "export/declaration_text.h"

using namespace zef;
using namespace zef::testing;
using namespace Qt::StringLiterals;

namespace {

const QString kHeader = u"Inscrição Estadual: 12.345.678-9"_s;

QString key(const QString &ie = QString::fromUtf16(kIE))
{
    return ie;
}

// The validation list after checking the declarations in order.
QStringList check(Database &db, Dialogs &dialogs, const QStringList &keys,
                  const QString &year = QString::fromUtf16(kYear))
{
    DeclarationReader reader(db);
    ConsistencyChecks checks(db, dialogs);
    for (const QString &k : keys)
        checks.check(reader.read({year, k}));
    return checks.validationList();
}

QStringList check(DeclarationFixture &f)
{
    ScriptedDialogs refuseQuestions;
    return check(f.db(), refuseQuestions, {key()});
}

// A declaration whose activity obliges item 07, with sections that agree with each other.
void addItem07Declaration(DeclarationFixture &f, const QVariantMap &zef = {})
{
    f.addEmpresa(QString::fromUtf16(kIE), u"ALFA"_s);
    QVariantMap header{{u"CodigoAtividade"_s, QString::fromUtf16(kActivityItem07)}};
    for (auto it = zef.cbegin(); it != zef.cend(); ++it)
        header.insert(it.key(), it.value());
    f.addDeclaracao(QString::fromUtf16(kIE), header);
}

} // namespace

class TestConsistencyChecks : public QObject
{
    Q_OBJECT

private slots:
    void cleanDeclarationHasNoFindings();
    void emptyAccountantGivesF1AndF2();
    void unregisteredAccountantGivesF2();
    void unknownActivityGivesF3();
    void domiciles_data();
    void domiciles();
    void domicilesNotCheckedAfterTheHeader();
    void municipalityRowsWithoutHeader();
    void entriesByStateAgainstByType_data();
    void entriesByStateAgainstByType();
    void textsFollowTheStatus_data();
    void textsFollowTheStatus();
    void item07NotObligedSkipsItsChecks();
    void municipalityEntriesLeaveOutTypes4_5_6_11_data();
    void municipalityEntriesLeaveOutTypes4_5_6_11();
    void municipalityExitsLeaveOutType10_data();
    void municipalityExitsLeaveOutType10();
    void questions_data();
    void questions();
    void questionTexts();
    void twoDeclarationsEachUnderItsHeader();
};

void TestConsistencyChecks::cleanDeclarationHasNoFindings()
{
    DeclarationFixture f;
    f.addEmpresa(QString::fromUtf16(kIE), u"ALFA"_s);
    f.addDeclaracao();
    QCOMPARE(check(f), QStringList());
}

void TestConsistencyChecks::emptyAccountantGivesF1AndF2()
{
    DeclarationFixture f;
    f.addEmpresa(QString::fromUtf16(kIE), u"ALFA"_s);
    f.addDeclaracao(QString::fromUtf16(kIE), {{u"CPFContador"_s, u"   "_s}});
    QCOMPARE(check(f), (QStringList{kHeader, QString(), textoAchado(Finding::F1), QString(),
                                    textoAchado(Finding::F2), QString()}));
    QCOMPARE(textoAchado(Finding::F1), u"Campo CPF do contabilista no item 8 deve ser informado."_s);
}

void TestConsistencyChecks::unregisteredAccountantGivesF2()
{
    DeclarationFixture f;
    f.addEmpresa(QString::fromUtf16(kIE), u"ALFA"_s);
    f.addDeclaracao(QString::fromUtf16(kIE), {{u"CPFContador"_s, u"99988877766"_s}});
    QCOMPARE(check(f), (QStringList{kHeader, QString(),
                                    u"Campo CPF do contabilista não localizado no cadastro de contabilista."_s,
                                    QString()}));
}

void TestConsistencyChecks::unknownActivityGivesF3()
{
    DeclarationFixture f;
    f.addEmpresa(QString::fromUtf16(kIE), u"ALFA"_s);
    f.addDeclaracao(QString::fromUtf16(kIE), {{u"CodigoAtividade"_s, u"0000000"_s}});
    QCOMPARE(check(f), (QStringList{kHeader, QString(),
                                    u"CNAE da empresa não informada no cadastro do contribuinte."_s, QString()}));
}

void TestConsistencyChecks::domiciles_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<QStringList>("letters");
    QTest::addColumn<QStringList>("expected");
    const QString sep = QString(52, u'-') + u" "_s;
    QTest::newRow("moved, none") << u"S"_s << QStringList{}
                                 << QStringList{kHeader, sep,
                                                u"Campo 2.2 - Informar os Domicílios Fiscais Atual e Anterior "_s,
                                                QString()};
    QTest::newRow("moved, only the current")
        << u"S"_s << QStringList{u"A"_s}
        << QStringList{kHeader, sep, u"Campo 2.2 - Informar o Domicilio Fiscal Anterior "_s, QString()};
    QTest::newRow("moved, one earlier") << u"S"_s << QStringList{u"B"_s} << QStringList{};
    QTest::newRow("moved, current and earlier") << u"S"_s << QStringList{u"B"_s, u"A"_s} << QStringList{};
    QTest::newRow("not moved, none")
        << u"N"_s << QStringList{}
        << QStringList{kHeader, sep, QString(),
                       u"Campos: Domicílio Fiscal, Data Inicial e Final devem ser informados"_s};
    QTest::newRow("not moved, current") << u"N"_s << QStringList{u"A"_s} << QStringList{};
    QTest::newRow("empty status, none") << QString() << QStringList{}
                                        << QStringList{kHeader, sep, QString(),
                                                       textoAchado(Finding::F6)};
    QTest::newRow("status read trimmed") << u" S"_s << QStringList{u"A"_s}
                                         << QStringList{kHeader, sep, textoAchado(Finding::F5), QString()};
}

void TestConsistencyChecks::domiciles()
{
    QFETCH(QString, status);
    QFETCH(QStringList, letters);
    QFETCH(QStringList, expected);
    DeclarationFixture f;
    f.addEmpresa(QString::fromUtf16(kIE), u"ALFA"_s);
    f.addDeclaracao(QString::fromUtf16(kIE), {{u"StatusDRF"_s, status}}, QString::fromUtf16(kYear), false);
    for (const QString &letter : letters)
        f.addDomicilio(QString::fromUtf16(kIE), letter);
    QCOMPARE(check(f), expected);
}

void TestConsistencyChecks::domicilesNotCheckedAfterTheHeader()
{
    DeclarationFixture f;
    f.addEmpresa(QString::fromUtf16(kIE), u"ALFA"_s);
    f.addDeclaracao(QString::fromUtf16(kIE), {{u"StatusDRF"_s, u"S"_s}, {u"CPFContador"_s, QString()}},
                    QString::fromUtf16(kYear), false);
    QCOMPARE(check(f), (QStringList{kHeader, QString(), textoAchado(Finding::F1), QString(),
                                    textoAchado(Finding::F2), QString()}));
}

void TestConsistencyChecks::municipalityRowsWithoutHeader()
{
    DeclarationFixture f;
    f.addEmpresa(QString::fromUtf16(kIE), u"ALFA"_s);
    f.addDeclaracao();
    f.addLinha(u"SaidasMun"_s, {{u"MunicipioID"_s, u"1700954"_s}, {u"CodMunicipio"_s, u"  "_s}});
    f.addLinha(u"SaidasMun"_s, {{u"MunicipioID"_s, u" "_s}, {u"CodMunicipio"_s, u"1700251"_s}});
    // Rows come by municipality of origin: the blank one first.
    QCOMPARE(check(f), (QStringList{u"Campo Município de Origem deve ser informado."_s, QString(),
                                    u"Campo Município do Domicílio Fiscal de Referencia deve ser informado."_s,
                                    QString()}));
}

void TestConsistencyChecks::entriesByStateAgainstByType_data()
{
    QTest::addColumn<double>("byState");
    QTest::addColumn<double>("byType");
    QTest::addColumn<bool>("reported");
    QTest::newRow("equal") << 1000.0 << 1000.0 << false;
    QTest::newRow("0.004 passes") << 1000.004 << 1000.0 << false;
    QTest::newRow("0.005 is reported") << 1000.005 << 1000.0 << true;
    QTest::newRow("-10.00") << 990.0 << 1000.0 << true;
    QTest::newRow("+10.00") << 1010.0 << 1000.0 << true;
}

void TestConsistencyChecks::entriesByStateAgainstByType()
{
    QFETCH(double, byState);
    QFETCH(double, byType);
    QFETCH(bool, reported);
    DeclarationFixture f;
    f.addEmpresa(QString::fromUtf16(kIE), u"ALFA"_s);
    f.addDeclaracao();
    f.addLinha(u"Entrada"_s, {{u"UFEntrada"_s, u"SP"_s}, {u"VlrContabilEntrada"_s, byState}});
    f.addLinha(u"Compras"_s, {{u"TipoEntradas"_s, u"01 - COMPRAS"_s}, {u"VlrContabil"_s, byType}});
    const QStringList expected = reported ? QStringList{kHeader, QString(52, u'-') + u" "_s, QString(),
                                                        textoAchado(Finding::F9, true), QString()}
                                          : QStringList{};
    QCOMPARE(check(f), expected);
}

void TestConsistencyChecks::textsFollowTheStatus_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("f9");
    QTest::addColumn<QString>("f10");
    QTest::newRow("N")
        << u"N"_s
        << u"O valor do somatório total do item 3.2 \"Valor Contábil\", indicado no item 3.7, será obrigatoriamente "
           "igual ao valor do somatório do item 4.2, \"Valor Contábil\", indicado no item 4.6."_s
        << u"O valor do somatório total do item 5.2 \"Valor Contábil\", indicado no item 5.6, será obrigatoriamente "
           "igual ao valor do somatório do item 6.2 \"Valor Contábil\",  colunas \"A - Não Contribuinte\" e "
           "\"B - Contribuinte\", indicado no item 6.6."_s;
    QTest::newRow("S")
        << u"S"_s
        << u"O valor do somatório total do item 3.3 \"Valor Contábil\", indicado no item 3.7 para as linhas A, B, C, "
           "D, E, será obrigatoriamente igual ao valor do somatório do item 4.3 \"Valor Contábil\", indicado no item "
           "4.7 para as linhas A, B, C, D, E."_s
        << u"O valor do somatório do item 5.3 \"Valor Contábil\", indicado no item 5.7 para as linhas A, B, C, D, E, "
           "será obrigatoriamente igual ao valor do somatório do item 6.3 \"Valor Contábil\", colunas \"A - Não "
           "Contribuinte\" e \"B - Contribuinte\", indicado no item 6. 7 para as linhas A, B, C, D, E."_s;
}

void TestConsistencyChecks::textsFollowTheStatus()
{
    QFETCH(QString, status);
    QFETCH(QString, f9);
    QFETCH(QString, f10);
    DeclarationFixture f;
    f.addEmpresa(QString::fromUtf16(kIE), u"ALFA"_s);
    f.addDeclaracao(QString::fromUtf16(kIE), {{u"StatusDRF"_s, status}});
    if (status == u"S"_s)
        f.addDomicilio(QString::fromUtf16(kIE), u"B"_s);
    f.addLinha(u"Entrada"_s, {{u"UFEntrada"_s, u"SP"_s}, {u"VlrContabilEntrada"_s, 5.0}});
    f.addLinha(u"Saidas"_s, {{u"UF"_s, u"SP"_s}, {u"VlrContSaidaContrib"_s, 2.0}, {u"VlrContSaidaNContrib"_s, 3.0}});
    QCOMPARE(check(f), (QStringList{kHeader, QString(52, u'-') + u" "_s, QString(), f9, QString(), f10, QString()}));
}

void TestConsistencyChecks::item07NotObligedSkipsItsChecks()
{
    DeclarationFixture f;
    f.addEmpresa(QString::fromUtf16(kIE), u"ALFA"_s);
    f.addDeclaracao();
    // Municipalities against nothing, and every section's columns off: no finding, no question
    // (an unscripted question would throw).
    f.addLinha(u"SaidasMun"_s, {{u"MunicipioID"_s, u"1700954"_s}, {u"CodMunicipio"_s, u"1700251"_s},
                                {u"VlrContabil"_s, 500.0}, {u"Devolucoes"_s, 70.0}});
    f.addLinha(u"CFOPOperacoes"_s, {{u"TipoEntSai"_s, u"E"_s}, {u"CFOP"_s, 1949}, {u"VlrContabil"_s, 9.0}});
    f.addLinha(u"CFOPOperacoes"_s, {{u"TipoEntSai"_s, u"S"_s}, {u"CFOP"_s, 5949}, {u"VlrContabil"_s, 9.0}});
    QCOMPARE(check(f), QStringList());
}

void TestConsistencyChecks::municipalityEntriesLeaveOutTypes4_5_6_11_data()
{
    QTest::addColumn<double>("devolucoes");
    QTest::addColumn<bool>("reported");
    QTest::newRow("800 of 1000 less 200 of type 04") << 800.0 << false;
    QTest::newRow("all 1000") << 1000.0 << true;
}

void TestConsistencyChecks::municipalityEntriesLeaveOutTypes4_5_6_11()
{
    QFETCH(double, devolucoes);
    QFETCH(bool, reported);
    DeclarationFixture f;
    addItem07Declaration(f);
    f.addLinha(u"Entrada"_s, {{u"UFEntrada"_s, u"SP"_s}, {u"VlrContabilEntrada"_s, 1000.0},
                              {u"BaseCalculoEntrada"_s, 1000.0}});
    f.addLinha(u"Compras"_s, {{u"TipoEntradas"_s, u"01 - COMPRAS"_s}, {u"VlrContabil"_s, 800.0},
                              {u"BaseCalculo"_s, 800.0}});
    f.addLinha(u"Compras"_s, {{u"TipoEntradas"_s, u"04 - TRANSPORTES"_s}, {u"VlrContabil"_s, 200.0},
                              {u"BaseCalculo"_s, 200.0}});
    f.addLinha(u"SaidasMun"_s, {{u"MunicipioID"_s, u"1700954"_s}, {u"CodMunicipio"_s, u"1700251"_s},
                                {u"Devolucoes"_s, devolucoes}});
    const QStringList expected = reported ? QStringList{kHeader, QString(52, u'-') + u" "_s,
                                                        textoAchado(Finding::F12, true), QString()}
                                          : QStringList{};
    QCOMPARE(check(f), expected);
}

void TestConsistencyChecks::municipalityExitsLeaveOutType10_data()
{
    QTest::addColumn<double>("vlrContabil");
    QTest::addColumn<bool>("reported");
    QTest::newRow("700 of 1000 less 300 of type 10") << 700.0 << false;
    QTest::newRow("all 1000") << 1000.0 << true;
}

void TestConsistencyChecks::municipalityExitsLeaveOutType10()
{
    QFETCH(double, vlrContabil);
    QFETCH(bool, reported);
    DeclarationFixture f;
    addItem07Declaration(f, {{u"StatusDRF"_s, u"S"_s}});
    f.addDomicilio(QString::fromUtf16(kIE), u"B"_s);
    f.addLinha(u"Saidas"_s, {{u"UF"_s, u"SP"_s}, {u"VlrContSaidaContrib"_s, 1000.0},
                             {u"BaseCalcSaidaContrib"_s, 1000.0}});
    f.addLinha(u"Vendas"_s, {{u"TipoVendas"_s, u"01 - VENDAS"_s}, {u"VlrContabeis"_s, 700.0},
                             {u"BaseCalculo"_s, 700.0}});
    f.addLinha(u"Vendas"_s, {{u"TipoVendas"_s, u"10 - OUTRAS SAÍDAS"_s}, {u"VlrContabeis"_s, 300.0},
                             {u"BaseCalculo"_s, 300.0}});
    f.addLinha(u"SaidasMun"_s, {{u"MunicipioID"_s, u"1700954"_s}, {u"CodMunicipio"_s, u"1700251"_s},
                                {u"VlrContabil"_s, vlrContabil}});
    const QStringList expected = reported ? QStringList{kHeader, QString(52, u'-') + u" "_s,
                                                        textoAchado(Finding::F11, false), QString()}
                                          : QStringList{};
    QCOMPARE(check(f), expected);
}

void TestConsistencyChecks::questions_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QVariantMap>("row");
    QTest::addColumn<int>("question");
    QTest::addColumn<QString>("regime");
    // Each row puts one section's value column off its other columns by 10.00, the totals across
    // sections staying equal (both sides empty).
    QTest::newRow("Q1 entries by state")
        << u"Entrada"_s << QVariantMap{{u"UFEntrada"_s, u"SP"_s}, {u"BaseCalculoEntrada"_s, 10.0}} << 0 << u"3"_s;
    QTest::newRow("Q2 exits by state")
        << u"Saidas"_s << QVariantMap{{u"UF"_s, u"SP"_s}, {u"OutrasSaidas"_s, 10.0}} << 1 << u"4"_s;
    QTest::newRow("Q3 entries by type")
        << u"Compras"_s << QVariantMap{{u"TipoEntradas"_s, u"04 - TRANSPORTES"_s}, {u"Outras"_s, 10.0}} << 2
        << u"4"_s;
    QTest::newRow("Q4 exits by type")
        << u"Vendas"_s << QVariantMap{{u"TipoVendas"_s, u"10 - OUTRAS SAÍDAS"_s}, {u"SubTributaria"_s, 10.0}} << 3
        << u" 3"_s;
    QTest::newRow("Q5 other entries")
        << u"CFOPOperacoes"_s << QVariantMap{{u"TipoEntSai"_s, u"E"_s}, {u"CFOP"_s, 1949}, {u"VlrContabil"_s, 10.0}}
        << 4 << u"3"_s;
    QTest::newRow("Q6 other exits")
        << u"CFOPOperacoes"_s << QVariantMap{{u"TipoEntSai"_s, u"S"_s}, {u"CFOP"_s, 5949}, {u"Outras"_s, 10.0}}
        << 5 << u"4"_s;
}

void TestConsistencyChecks::questions()
{
    QFETCH(QString, table);
    QFETCH(QVariantMap, row);
    QFETCH(int, question);
    QFETCH(QString, regime);
    DeclarationFixture f;
    addItem07Declaration(f, {{u"RegimeApuracao"_s, regime}});
    f.addLinha(table, row);
    const QString asked = textoQuestao(Question(question), regime.trimmed() == u"4"_s, true);

    ScriptedDialogs yes;
    yes.answer(Dialogs::Button::Yes);
    QCOMPARE(check(f.db(), yes, {key()}), QStringList());
    QCOMPARE(yes.texts(), QStringList{asked});
    QCOMPARE(yes.boxes().at(0).icon, Dialogs::Icon::Question);

    ScriptedDialogs no;
    no.answer(Dialogs::Button::No);
    QVERIFY_THROWS_EXCEPTION(SilentAbort, check(f.db(), no, {key()}));
    QCOMPARE(no.texts(), QStringList{asked});
}

void TestConsistencyChecks::questionTexts()
{
    const QString warning = u"A apresentação com estas divergências sujeitará à fiscalização."_s;
    const QString tailA = u"\r\r"_s + warning + u"\r\rDeseja continuar?"_s;
    const QString tailB = u"\r\n"_s + warning + u"\r\rDeseja continuar?"_s;
    QCOMPARE(textoQuestao(Question::Q4, true, true),
             u"O valor do somatório total do item 5.2 \"Valor Contábil\" será, obrigatoriamente igual, \r\n"
             "a soma do(s) total(is) da(s) coluna(s) 5.5. \"Substituição Tributária\"."_s
                 + tailA);
    QCOMPARE(textoQuestao(Question::Q4, true, false),
             u"O valor do somatório total do item 5.3 \"Valor Contábil\" será, obrigatoriamente igual, \r\n"
             "a soma do(s) total(is) da(s) coluna(s) 5.6. \"SubstituiçãoTributária\"."_s
                 + tailA);
    QCOMPARE(textoQuestao(Question::Q2, true, false),
             u"O valor do somatório total das colunas A e B do item 6.3 \"Valor Contábil\" será, \r\n"
             "obrigatoriamente igual, a soma do(s) total(is) da(s) coluna(s) 6.6 \"Substituição Tributária\"."_s
                 + tailB);
    QCOMPARE(textoQuestao(Question::Q3, true, true),
             u"O valor total do somatório do item 3.2 \"Valor Contábil\" será, obrigatoriamente igual, a soma do(s) "
             "total(is) \r\nda(s) coluna(s) 3.4. \"Outras/Isentas não Tributadas, se Campo 3.1 \"Tipo de Entradas\" , "
             "for igual \r\n\"07 - DIFERENCIAL DE ALÍQUOTA\", caso contrário será, obrigatoriamente igual, a 3.5. "
             "\"Substituição Tributária\"."_s
                 + tailB);
    QCOMPARE(textoQuestao(Question::Q1, false, false),
             u"O valor do somatório total do item 4.3 \"Valor Contábil\" será, obrigatoriamente igual, \r\n"
             "a soma do(s) total(is) da(s) coluna(s) 4.4. \"Base de Cálculo\", \r\n"
             "4.5. \"Outras/Isentas não Tributadas\" e 6.6 \"Substituição Tributária\"."_s
                 + tailA);
    QCOMPARE(textoQuestao(Question::Q6, false, true),
             u"O valor total do somatório do item 5.2 Linha \"10 - Outras Saídas\", do item \"10 - Outras Saídas por "
             "CFOP\" \r\ncampo 3 \"Valor Contábil\" será, obrigatoriamente igual, a soma do(s) total(is) da(s) "
             "coluna(s) 4 \"Base de Cálculo\", \r\n5 \"Outras/Isentas não Tributadas\" e 6 \"Substituição "
             "Tributária\"."_s
                 + tailA);
    // Every combination has its own text.
    QSet<QString> all;
    for (int q = 0; q < 6; ++q)
        for (bool simples : {true, false})
            for (bool statusN : {true, false})
                all.insert(textoQuestao(Question(q), simples, statusN));
    QCOMPARE(all.size(), 24);
}

void TestConsistencyChecks::twoDeclarationsEachUnderItsHeader()
{
    DeclarationFixture f;
    f.addEmpresa(QString::fromUtf16(kIE), u"ALFA"_s);
    f.addEmpresa(u"222222222"_s, u"BETA"_s);
    f.addDeclaracao(QString::fromUtf16(kIE), {{u"CPFContador"_s, u"99988877766"_s}});
    f.addDeclaracao(u"222222222"_s, {{u"CodigoAtividade"_s, u"0000000"_s}});
    ScriptedDialogs dialogs;
    QCOMPARE(check(f.db(), dialogs, {key(), key(u"222222222"_s)}),
             (QStringList{kHeader, QString(), textoAchado(Finding::F2), QString(),
                          u"Inscrição Estadual: 22.222.222-2"_s, QString(), textoAchado(Finding::F3), QString()}));
}

QTEST_APPLESS_MAIN(TestConsistencyChecks)
#include "tst_consistency_checks.moc"
