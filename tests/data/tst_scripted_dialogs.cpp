#include "data/scripted_dialogs.h"

#include <QTest>

#include <optional>
#include <stdexcept>

using namespace zef;
using namespace Qt::StringLiterals;

using Icon = Dialogs::Icon;
using Buttons = Dialogs::Buttons;
using Button = Dialogs::Button;
using Shown = ScriptedDialogs::Shown;

namespace {

// The message of the logic_error that show() throws, or an empty text when it answered.
QString refusal(ScriptedDialogs &dialogs, const QString &text, Buttons buttons)
{
    try {
        dialogs.show(text, Icon::Question, buttons);
    } catch (const std::logic_error &error) {
        return QString::fromStdString(error.what());
    }
    return QString();
}

} // namespace

class TstScriptedDialogs : public QObject {
    Q_OBJECT

private slots:
    void okBoxesNeedNoScript_data();
    void okBoxesNeedNoScript();
    void answersInOrder();
    void unscriptedQuestionThrows_data();
    void unscriptedQuestionThrows();
    void answerMustFitTheBox_data();
    void answerMustFitTheBox();
    void fixedAnswer_data();
    void fixedAnswer();
    void queueBeforeFixedAnswer();
    void observerSeesEveryBox();
    void clearKeepsTheFixedAnswer();
};

void TstScriptedDialogs::okBoxesNeedNoScript_data()
{
    QTest::addColumn<Icon>("icon");
    QTest::newRow("exclamation") << Icon::Exclamation;
    QTest::newRow("error") << Icon::Error;
    QTest::newRow("information") << Icon::Information;
    QTest::newRow("question") << Icon::Question;
}

void TstScriptedDialogs::okBoxesNeedNoScript()
{
    QFETCH(Icon, icon);
    ScriptedDialogs dialogs;
    dialogs.answer(Button::No); // kept for the question that follows
    QCOMPARE(dialogs.show(u"aviso"_s, icon, Buttons::Ok), Button::Ok);
    QCOMPARE(dialogs.pendingAnswers(), 1);
    QCOMPARE(dialogs.show(u"pergunta"_s, Icon::Question, Buttons::YesNo), Button::No);
    QCOMPARE(dialogs.boxes(), std::vector<Shown>({
                                  {u"aviso"_s, icon, Buttons::Ok, Button::Ok},
                                  {u"pergunta"_s, Icon::Question, Buttons::YesNo, Button::No},
                              }));
}

void TstScriptedDialogs::answersInOrder()
{
    ScriptedDialogs dialogs;
    dialogs.answer(Button::Yes).answer(Button::Cancel).answer(Button::No);
    QCOMPARE(dialogs.pendingAnswers(), 3);
    QCOMPARE(dialogs.show(u"um"_s, Icon::Question, Buttons::YesNo), Button::Yes);
    QCOMPARE(dialogs.show(u"dois"_s, Icon::Question, Buttons::OkCancel), Button::Cancel);
    QCOMPARE(dialogs.show(u"três"_s, Icon::Exclamation, Buttons::Ok), Button::Ok);
    QCOMPARE(dialogs.show(u"quatro"_s, Icon::Error, Buttons::YesNo), Button::No);
    QCOMPARE(dialogs.pendingAnswers(), 0);
    QCOMPARE(dialogs.texts(), QStringList({u"um"_s, u"dois"_s, u"três"_s, u"quatro"_s}));
}

void TstScriptedDialogs::unscriptedQuestionThrows_data()
{
    QTest::addColumn<Buttons>("buttons");
    QTest::newRow("yes/no") << Buttons::YesNo;
    QTest::newRow("ok/cancel") << Buttons::OkCancel;
}

void TstScriptedDialogs::unscriptedQuestionThrows()
{
    QFETCH(Buttons, buttons);
    ScriptedDialogs dialogs;
    const QString message = refusal(dialogs, u"Confirma exclusão?"_s, buttons);
    QVERIFY2(message.contains(u"Confirma exclusão?"_s), qPrintable(message));
    QVERIFY(dialogs.boxes().empty());

    // Used up: the next question is refused as well.
    dialogs.answer(Button::Yes);
    QCOMPARE(dialogs.show(u"um"_s, Icon::Question, Buttons::YesNo), Button::Yes);
    QVERIFY(!refusal(dialogs, u"dois"_s, buttons).isEmpty());
}

void TstScriptedDialogs::answerMustFitTheBox_data()
{
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<Button>("answer");
    QTest::newRow("ok to yes/no") << Buttons::YesNo << Button::Ok;
    QTest::newRow("cancel to yes/no") << Buttons::YesNo << Button::Cancel;
    QTest::newRow("yes to ok/cancel") << Buttons::OkCancel << Button::Yes;
    QTest::newRow("no to ok/cancel") << Buttons::OkCancel << Button::No;
}

void TstScriptedDialogs::answerMustFitTheBox()
{
    QFETCH(Buttons, buttons);
    QFETCH(Button, answer);
    ScriptedDialogs dialogs;
    dialogs.answer(answer);
    const QString message = refusal(dialogs, u"Gravar os dados?"_s, buttons);
    QVERIFY2(message.contains(u"Gravar os dados?"_s), qPrintable(message));
    QVERIFY2(message.contains(buttonName(answer)), qPrintable(message));
    QVERIFY(dialogs.boxes().empty());
}

void TstScriptedDialogs::fixedAnswer_data()
{
    QTest::addColumn<Button>("fixed");
    QTest::addColumn<Button>("yesNo");
    QTest::addColumn<Button>("okCancel");
    QTest::newRow("yes") << Button::Yes << Button::Yes << Button::Ok;
    QTest::newRow("no") << Button::No << Button::No << Button::Cancel;
    QTest::newRow("ok") << Button::Ok << Button::Yes << Button::Ok;
    QTest::newRow("cancel") << Button::Cancel << Button::No << Button::Cancel;
}

void TstScriptedDialogs::fixedAnswer()
{
    QFETCH(Button, fixed);
    QFETCH(Button, yesNo);
    QFETCH(Button, okCancel);

    ScriptedDialogs dialogs(fixed);
    QCOMPARE(dialogs.fixedAnswer(), std::optional<Button>(fixed));
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(dialogs.show(u"pergunta"_s, Icon::Question, Buttons::YesNo), yesNo);
        QCOMPARE(dialogs.show(u"exclusão"_s, Icon::Question, Buttons::OkCancel), okCancel);
        QCOMPARE(dialogs.show(u"aviso"_s, Icon::Exclamation, Buttons::Ok), Button::Ok);
    }
    QCOMPARE(dialogs.boxes().size(), std::size_t(6));

    dialogs.setFixedAnswer(std::nullopt);
    QVERIFY(!refusal(dialogs, u"pergunta"_s, Buttons::YesNo).isEmpty());
}

void TstScriptedDialogs::queueBeforeFixedAnswer()
{
    ScriptedDialogs dialogs;
    dialogs.setFixedAnswer(Button::Yes);
    dialogs.answer(Button::No);
    QCOMPARE(dialogs.show(u"um"_s, Icon::Question, Buttons::YesNo), Button::No);
    QCOMPARE(dialogs.show(u"dois"_s, Icon::Question, Buttons::YesNo), Button::Yes);
}

void TstScriptedDialogs::observerSeesEveryBox()
{
    ScriptedDialogs dialogs(Button::No);
    std::vector<Shown> seen;
    dialogs.setObserver([&seen](const Shown &box) { seen.push_back(box); });
    dialogs.show(u"aviso"_s, Icon::Exclamation, Buttons::Ok);
    dialogs.show(u"pergunta"_s, Icon::Question, Buttons::YesNo, u"Compra"_s);
    QCOMPARE(seen, dialogs.boxes());
    QCOMPARE(seen.back().answer, Button::No);
    // The title each box was given, empty for the program's own.
    QCOMPARE(seen.front().title, QString());
    QCOMPARE(seen.back().title, u"Compra"_s);
}

void TstScriptedDialogs::clearKeepsTheFixedAnswer()
{
    ScriptedDialogs dialogs(Button::Yes);
    dialogs.answer(Button::No).answer(Button::No);
    dialogs.show(u"um"_s, Icon::Question, Buttons::YesNo);
    dialogs.clear();
    QVERIFY(dialogs.boxes().empty());
    QVERIFY(dialogs.texts().isEmpty());
    QCOMPARE(dialogs.pendingAnswers(), 0);
    QCOMPARE(dialogs.show(u"dois"_s, Icon::Question, Buttons::YesNo), Button::Yes);
}

QTEST_GUILESS_MAIN(TstScriptedDialogs)
#include "tst_scripted_dialogs.moc"
