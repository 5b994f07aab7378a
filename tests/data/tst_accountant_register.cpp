#include "data_module_fixture.h"

#include "data/accountant_register.h"

#include <QtTest>

using namespace zef;
using namespace zef::fixture;
using namespace Qt::StringLiterals;

class TstAccountantRegister : public QObject
{
    Q_OBJECT

private slots:
    void checksInOrder_data();
    void checksInOrder();
};

void TstAccountantRegister::checksInOrder_data()
{
    QTest::addColumn<QString>("cpf");
    QTest::addColumn<QString>("crc");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("endereco");
    QTest::addColumn<QString>("fone");
    QTest::addColumn<QString>("message");   // empty: accepted
    QTest::addColumn<QString>("field");

    const QString cpf = u"52998224725"_s;
    // Every row breaks all the later checks too: only the first failure is reported.
    QTest::newRow("eleven equal digits") << u"11111111111"_s << u""_s << u"MARIA"_s << u""_s << u""_s
                                         << u"Não é válido sequência de número iguais!"_s << u"CPFContador"_s;
    QTest::newRow("a CNPJ is no CPF") << u"11222333000181"_s << u""_s << u"MARIA"_s << u""_s << u""_s
                                      << u"CPF inválido!"_s << u"CPFContador"_s;
    QTest::newRow("wrong check digit") << u"52998224726"_s << u""_s << u""_s << u""_s << u""_s << u"CPF inválido!"_s
                                       << u"CPFContador"_s;
    QTest::newRow("blank CRC") << cpf << u"  "_s << u""_s << u""_s << u""_s << u"CRC deve ser informado!"_s
                               << u"CRCContador"_s;
    QTest::newRow("blank name") << cpf << u"VD-1234"_s << u"   "_s << u""_s << u""_s << u"Nome deve ser informado!"_s
                                << u"NomeContador"_s;
    QTest::newRow("one-word name") << cpf << u"VD-1234"_s << u" MARIA "_s << u""_s << u""_s
                                   << u"Nome do contabilista  deve ter duas ou mais palavras!"_s << u"NomeContador"_s;
    QTest::newRow("blank address") << cpf << u"VD-1234"_s << u"MARIA SILVA"_s << u" "_s << u""_s
                                   << u"Endereço deve ser informado!"_s << u"EnderecoContador"_s;
    QTest::newRow("blank phone") << cpf << u"VD-1234"_s << u"MARIA SILVA"_s << u"RUA A"_s << u""_s
                                 << u"Telefone deve ser informado!"_s << u"FoneContador"_s;
    QTest::newRow("two-word name accepted") << cpf << u"VD-1234"_s << u"MARIA SILVA"_s << u"RUA A"_s
                                            << u"6332150000"_s << QString() << QString();
}

void TstAccountantRegister::checksInOrder()
{
    QFETCH(QString, cpf);
    QFETCH(QString, crc);
    QFETCH(QString, nome);
    QFETCH(QString, endereco);
    QFETCH(QString, fone);
    QFETCH(QString, message);
    QFETCH(QString, field);

    DataModuleFixture f;
    Table &contador = f.dm->tbContador;
    contador.open();
    contador.append();
    contador.fieldByName(u"CPFContador"_s)->setAsString(cpf);
    contador.fieldByName(u"CRCContador"_s)->setAsString(crc);
    contador.fieldByName(u"NomeContador"_s)->setAsString(nome);
    contador.fieldByName(u"EnderecoContador"_s)->setAsString(endereco);
    contador.fieldByName(u"FoneContador"_s)->setAsString(fone);

    const auto recusa = verificaContador(contador);
    if (message.isEmpty()) {
        QCOMPARE(recusa, std::nullopt);
        return;
    }
    QVERIFY(recusa);
    QCOMPARE(recusa->mensagem, message);
    QCOMPARE(recusa->campo, field);
}

QTEST_GUILESS_MAIN(TstAccountantRegister)
#include "tst_accountant_register.moc"
