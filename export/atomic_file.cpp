#include "export/atomic_file.h"

#include "export/export_error.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include <cerrno>

namespace zef {

using namespace Qt::StringLiterals;

namespace {

// Qt's own texts for these failures are English, and for a full disk often just "Unknown error":
// the user reads what happened and what to do instead.
QString writeFailure(int error, const QString &folder, qint64 needed)
{
    const QStorageInfo storage(folder);
    const bool full = error == ENOSPC
#ifdef EDQUOT
        || error == EDQUOT
#endif
        || (storage.isValid() && storage.bytesAvailable() >= 0 && storage.bytesAvailable() < needed);
    if (full)
        return u"não há espaço livre no disco. Libere espaço em disco e grave de novo."_s;
    return u"erro de gravação no disco. Grave de novo ou escolha outra pasta."_s;
}

} // namespace

void gravaArquivoAtomico(const QString &path, const QByteArray &bytes)
{
    const auto fail = [&](const QString &reason) {
        throw ExportError(u"Não foi possível gravar o arquivo %1: %2"_s.arg(QDir::toNativeSeparators(path), reason));
    };
    const QFileInfo target(path);
    const QString folder = target.absolutePath();
    if (target.isDir())
        fail(u"já existe uma pasta com esse nome. Escolha outro nome de arquivo."_s);
    if (!QFileInfo(folder).isDir())
        fail(u"a pasta %1 não existe. Escolha outra pasta."_s.arg(QDir::toNativeSeparators(folder)));
    QSaveFile file(path);
    // Never fall back to writing the target in place: a failure must not leave half a file.
    file.setDirectWriteFallback(false);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        if (errno == ENOSPC)
            fail(writeFailure(errno, folder, bytes.size()));
        fail(u"não foi possível criar o arquivo nessa pasta. Verifique se você pode gravar nela ou escolha outra "
             u"pasta."_s);
    }
    // The bytes are pushed to the disk before the commit: this Qt links the new file into place even
    // when its buffered write failed, so a full disk would otherwise leave an empty file "saved".
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const int error = errno;
        file.cancelWriting();
        fail(writeFailure(error, folder, bytes.size()));
    }
    if (!file.commit())
        fail(writeFailure(errno, folder, bytes.size()));
}

} // namespace zef
