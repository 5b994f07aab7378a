#include "data/dialogs.h"
#include "data/field_edit.h"
#include "data/scripted_dialogs.h"
#include "data/text_routines.h"

#include <QTest>

#include <stdexcept>

using namespace zef;
using namespace Qt::StringLiterals;

using Icon = Dialogs::Icon;
using Buttons = Dialogs::Buttons;
using Button = Dialogs::Button;
using Shown = ScriptedDialogs::Shown;

class TstDialogs : public QObject {
    Q_OBJECT

private slots:
    void mensagem();
    void confirma_data();
    void confirma();
    void confirmaUnscripted();
    void caixaMensagem_data();
    void caixaMensagem();
    void confirmaExclusao_data();
    void confirmaExclusao();
    void confirmaDestrutiva();

    void validaPeriodo_data();
    void validaPeriodo();

    void completaEspacosTooLong_data();
    void completaEspacosTooLong();
};

void TstDialogs::mensagem()
{
    ScriptedDialogs dialogs;
    Mensagem(dialogs, u"Informe o ano base!"_s);
    QCOMPARE(dialogs.boxes(),
             std::vector<Shown>({{u"Informe o ano base!"_s, Icon::Exclamation, Buttons::Ok, Button::Ok}}));
}

void TstDialogs::confirma_data()
{
    QTest::addColumn<Button>("answer");
    QTest::addColumn<bool>("expected");
    QTest::newRow("yes") << Button::Yes << true;
    QTest::newRow("no") << Button::No << false;
}

void TstDialogs::confirma()
{
    QFETCH(Button, answer);
    QFETCH(bool, expected);
    ScriptedDialogs dialogs;
    dialogs.answer(answer);
    QCOMPARE(Confirma(dialogs, u"Deseja continuar?"_s), expected);
    QCOMPARE(dialogs.boxes(),
             std::vector<Shown>({{u"Deseja continuar?"_s, Icon::Question, Buttons::YesNo, answer}}));
    QCOMPARE(dialogs.pendingAnswers(), 0);
}

void TstDialogs::confirmaUnscripted()
{
    ScriptedDialogs dialogs;
    try {
        Confirma(dialogs, u"Deseja continuar?"_s);
        QFAIL("an unscripted question was answered");
    } catch (const std::logic_error &error) {
        QVERIFY2(QString::fromStdString(error.what()).contains(u"Deseja continuar?"_s), error.what());
    }
}

void TstDialogs::caixaMensagem_data()
{
    QTest::addColumn<Dialogs::Box>("type");
    QTest::addColumn<Button>("answer");

    QTest::newRow("error") << kCaixaErro << Button::Ok;
    QTest::newRow("information") << kCaixaInformacao << Button::Ok;
    QTest::newRow("warning") << kCaixaAviso << Button::Ok;
    QTest::newRow("question yes") << kCaixaPergunta << Button::Yes;
    QTest::newRow("question no") << kCaixaPergunta << Button::No;
    QTest::newRow("ok/cancel ok") << kCaixaExclusao << Button::Ok;
    QTest::newRow("ok/cancel cancel") << kCaixaExclusao << Button::Cancel;
    QTest::newRow("error with yes/no")
        << Dialogs::Box{Icon::Error, Buttons::YesNo} << Button::No;
}

void TstDialogs::caixaMensagem()
{
    QFETCH(Dialogs::Box, type);
    QFETCH(Button, answer);
    ScriptedDialogs dialogs;
    if (type.buttons != Buttons::Ok)
        dialogs.answer(answer);
    const QString text = u"Ocorreu um erro ao abrir a tabela Zef.DB\nerro"_s;
    QCOMPARE(CaixaMensagem(dialogs, text, type), answer);
    QCOMPARE(dialogs.boxes(), std::vector<Shown>({{text, type.icon, type.buttons, answer, QString(), type.byDefault}}));
}

void TstDialogs::confirmaExclusao_data()
{
    QTest::addColumn<Button>("answer");
    QTest::addColumn<bool>("expected");
    QTest::newRow("ok") << Button::Ok << true;
    QTest::newRow("cancel") << Button::Cancel << false;
}

void TstDialogs::confirmaExclusao()
{
    QFETCH(Button, answer);
    QFETCH(bool, expected);
    ScriptedDialogs dialogs;
    dialogs.answer(answer);
    QCOMPARE(ConfirmaExclusao(dialogs), expected);
    QCOMPARE(dialogs.boxes(),
             std::vector<Shown>({{u"Confirma exclusão?"_s, Icon::Question, Buttons::OkCancel, answer, QString(),
                                  Button::Cancel}}));
}

// A question whose Yes destroys something offers No as the default.
void TstDialogs::confirmaDestrutiva()
{
    ScriptedDialogs dialogs;
    dialogs.answer(Button::Yes);
    QVERIFY(ConfirmaDestrutiva(dialogs, u"Confirma Exclusão?"_s));
    QCOMPARE(dialogs.boxes(), std::vector<Shown>({{u"Confirma Exclusão?"_s, Icon::Question, Buttons::YesNo,
                                                   Button::Yes, QString(), Button::No}}));
}

void TstDialogs::validaPeriodo_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("message"); // empty when the period is accepted

    const QString invalid = u"Data Inicial ou Final Inv lida. Verifique!!!"_s;
    const QString reversed = u"Data Inicial n o pode ser maior que a data Final!!!"_s;

    QTest::newRow("whole year") << u"01/01/2026"_s << u"31/12/2026"_s << QString();
    QTest::newRow("one day") << u"15/03/2026"_s << u"15/03/2026"_s << QString();
    // Compared as dates, not as texts: as texts these two would come out the other way round.
    QTest::newRow("across a year") << u"31/12/2025"_s << u"01/01/2026"_s << QString();
    QTest::newRow("end a day early") << u"02/01/2026"_s << u"01/01/2026"_s << reversed;
    QTest::newRow("end a month early") << u"01/02/2026"_s << u"15/01/2026"_s << reversed;
    QTest::newRow("end a year early") << u"01/01/2026"_s << u"31/12/2025"_s << reversed;
    QTest::newRow("start empty") << QString() << u"01/01/2026"_s << invalid;
    QTest::newRow("end empty") << u"01/01/2026"_s << QString() << invalid;
    QTest::newRow("end not a day") << u"01/01/2026"_s << u"31/02/2026"_s << invalid;
    QTest::newRow("empty masks") << u"  /  /    "_s << u"  /  /    "_s << invalid;
    // Both wrong: the dates are checked before their order.
    QTest::newRow("invalid and reversed") << u"01/01/2026"_s << u"32/12/2025"_s << invalid;
}

void TstDialogs::validaPeriodo()
{
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QString, message);

    ScriptedDialogs dialogs;
    PlainFieldEdit startEdit(start);
    PlainFieldEdit endEdit(end);
    const bool accepted = message.isEmpty();

    QCOMPARE(ValidaPeriodo(dialogs, startEdit, endEdit), accepted);
    QCOMPARE(dialogs.texts(), accepted ? QStringList() : QStringList{message});
    if (!accepted)
        QCOMPARE(dialogs.boxes().front().icon, Icon::Exclamation);
    QCOMPARE(startEdit.focused(), !accepted);
    QVERIFY(!endEdit.focused());
}

void TstDialogs::completaEspacosTooLong_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("sizes");

    QTest::newRow("one over") << u"ABCDEF"_s << 5 << u"6 , 5"_s;
    QTest::newRow("to nothing") << u"A"_s << 0 << u"1 , 0"_s;
    QTest::newRow("two-digit sizes") << u"RUA DAS FLORES 1234"_s << 10 << u"19 , 10"_s;
}

void TstDialogs::completaEspacosTooLong()
{
    QFETCH(QString, text);
    QFETCH(int, n);
    QFETCH(QString, sizes);

    ScriptedDialogs dialogs;
    QVERIFY(!CompletaEspacos(dialogs, text, n).has_value());
    const std::vector<Shown> expected{
        {sizes, Icon::Information, Buttons::Ok, Button::Ok},
        {u"Tamanho de s inv lido!!!"_s, Icon::Exclamation, Buttons::Ok, Button::Ok},
    };
    QCOMPARE(dialogs.boxes(), expected);
}

QTEST_GUILESS_MAIN(TstDialogs)
#include "tst_dialogs.moc"
