#pragma once

// Finding a window's controls by the object names the program gives them.

#include <QByteArray>
#include <QObject>
#include <QString>

namespace zef::testsupport {

// The child of `janela` of that type and name; ends the test program when there is none, as a
// test that cannot reach the control it is about has nothing left to check.
template<class T>
T *controle(const QObject &janela, const QString &nome)
{
    T *c = janela.findChild<T *>(nome);
    if (!c)
        qFatal("%s has no control named %s", qUtf8Printable(janela.objectName()), qUtf8Printable(nome));
    return c;
}

} // namespace zef::testsupport
