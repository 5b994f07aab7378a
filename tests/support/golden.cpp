#include "tests/support/golden.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>
#include <QTest>

namespace zef::testsupport {

namespace {

// Lines as the file holds them, CR LF or LF, the line ends kept out of sight but counted.
QList<QByteArray> linhas(const QByteArray &bytes)
{
    return bytes.split('\n');
}

// A line shown so that blanks at the end, CRs and bytes outside ASCII can be told apart.
QString visivel(const QByteArray &linha)
{
    QString s;
    for (const char c : linha) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\r')
            s += QStringLiteral("\\r");
        else if (u < 0x20 || u >= 0x7f)
            s += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
        else
            s += QLatin1Char(c);
    }
    return s;
}

QString comandoParaRegravar()
{
    // Tests without an application object have no applicationFilePath().
    const QString programa = QCoreApplication::instance() ? QCoreApplication::applicationFilePath()
                                                           : QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    return QStringLiteral("ZEF_UPDATE_GOLDEN=1 %1 %2").arg(programa, QString::fromLatin1(QTest::currentTestFunction()));
}

} // namespace

QString diferencaDoArquivo(const QByteArray &obtido, const QString &arquivo)
{
    if (qEnvironmentVariableIntValue("ZEF_UPDATE_GOLDEN") == 1) {
        QSaveFile f(arquivo);
        if (!f.open(QIODevice::WriteOnly) || f.write(obtido) != obtido.size() || !f.commit())
            return QStringLiteral("Não foi possível gravar %1: %2").arg(arquivo, f.errorString());
        return QString();
    }
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("Golden file %1 cannot be read (%2). Write it from the output with:\n  %3")
            .arg(arquivo, f.errorString(), comandoParaRegravar());
    const QByteArray esperado = f.readAll();
    if (esperado == obtido)
        return QString();

    const QList<QByteArray> a = linhas(esperado);
    const QList<QByteArray> b = linhas(obtido);
    QString relato = QStringLiteral("Output differs from %1 (%2 lines expected, %3 obtained):\n")
                         .arg(arquivo)
                         .arg(a.size())
                         .arg(b.size());
    int mostradas = 0;
    for (qsizetype i = 0; i < std::max(a.size(), b.size()) && mostradas < 20; ++i) {
        const QByteArray *e = i < a.size() ? &a[i] : nullptr;
        const QByteArray *o = i < b.size() ? &b[i] : nullptr;
        if (e && o && *e == *o)
            continue;
        ++mostradas;
        relato += QStringLiteral("line %1:\n").arg(i + 1);
        if (e) {
            relato += QStringLiteral("  - %1\n").arg(visivel(*e));
        }
        if (o) {
            relato += QStringLiteral("  + %1\n").arg(visivel(*o));
            if (e) {
                qsizetype col = 0;
                while (col < e->size() && col < o->size() && e->at(col) == o->at(col))
                    ++col;
                relato += QStringLiteral("    first difference at column %1\n").arg(col + 1);
            }
        }
    }
    if (mostradas == 20)
        relato += QStringLiteral("(further differences not shown)\n");
    relato += QStringLiteral("If the new output is right, write the golden file anew with:\n  %1").arg(comandoParaRegravar());
    return relato;
}

} // namespace zef::testsupport
