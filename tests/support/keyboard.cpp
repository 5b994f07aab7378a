#include "tests/support/keyboard.h"

#include <QApplication>
#include <QLineEdit>
#include <QtTest>

namespace zef::testsupport {

QWidget *foco()
{
    return QApplication::focusWidget();
}

bool mostra(QWidget &janela)
{
    janela.show();
    QApplication::setActiveWindow(&janela);
    return QTest::qWaitForWindowActive(&janela);
}

void reativa(QWidget &janela)
{
    janela.activateWindow();
    QApplication::setActiveWindow(&janela);
    QTRY_VERIFY(janela.isActiveWindow());
}

void digita(QLineEdit *edit, const QString &texto)
{
    if (QApplication::activeWindow() != edit->window()) {
        edit->window()->activateWindow();
        QApplication::setActiveWindow(edit->window());
    }
    edit->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(edit->hasFocus());
    edit->selectAll();
    if (texto.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, texto);
}

void tecla(int key, Qt::KeyboardModifiers mod)
{
    QWidget *w = foco();
    QVERIFY(w);
    QTest::keyClick(w, Qt::Key(key), mod);
    // A button's mnemonic shows the button pressed for a moment and clicks it after.
    if (mod & Qt::AltModifier)
        QTest::qWait(250);
}

void escreve(const QString &texto)
{
    QWidget *w = foco();
    QVERIFY(w);
    QTest::keyClicks(w, texto);
}

void tab()
{
    QWidget *w = foco();
    QVERIFY(w);
    QTest::keyClick(w, Qt::Key_Tab);
}

void enter()
{
    QWidget *w = foco();
    QVERIFY(w);
    QTest::keyClick(w, Qt::Key_Return);
}

bool tabAte(QWidget *alvo)
{
    for (int i = 0; i < 30; ++i) {
        if (foco() == alvo || alvo->isAncestorOf(foco()))
            return true;
        QTest::keyClick(foco(), Qt::Key_Tab);
    }
    return false;
}

} // namespace zef::testsupport
