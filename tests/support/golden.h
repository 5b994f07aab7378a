#pragma once

// Golden files: what a test expects, byte for byte, kept beside the test. A test that fails
// says where the output leaves the file, line by line, and the command that writes the file
// anew from the output (for a change that is meant).

#include <QByteArray>
#include <QString>

namespace zef::testsupport {

// Empty when `obtido` equals the file; otherwise the readable differences and the command that
// regenerates it. With ZEF_UPDATE_GOLDEN=1 in the environment the file is written from
// `obtido` instead, and the answer is empty.
QString diferencaDoArquivo(const QByteArray &obtido, const QString &arquivo);

} // namespace zef::testsupport

// QVERIFY for golden files.
#define ZEF_COMPARE_GOLDEN(obtido, arquivo)                                                                \
    do {                                                                                                   \
        const QString zefDiferenca = ::zef::testsupport::diferencaDoArquivo((obtido), (arquivo));          \
        QVERIFY2(zefDiferenca.isEmpty(), qPrintable(zefDiferenca));                                        \
    } while (false)
