#include "export/atomic_file.h"

#include "export/export_error.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace zef {

void gravaArquivoAtomico(const QString &path, const QByteArray &bytes)
{
    const auto fail = [&](const QString &reason) {
        throw ExportError(QStringLiteral("Não foi possível gravar o arquivo %1: %2")
                              .arg(QDir::toNativeSeparators(path), reason));
    };
    if (QFileInfo(path).isDir())
        fail(QStringLiteral("é uma pasta."));
    QSaveFile file(path);
    // Never fall back to writing the target in place: a failure must not leave half a file.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        fail(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        fail(reason);
    }
    if (!file.commit())
        fail(file.errorString());
}

} // namespace zef
