#include "engine/failure_messages.h"

#include <QDir>
#include <sqlite3.h>

namespace zef {

using namespace Qt::StringLiterals;

namespace {

const QString kRestoreCopy = u"Restaure uma cópia de segurança da pasta Db e abra o programa de novo."_s;

} // namespace

QString databaseFailureMessage(int resultCode, const QString &file)
{
    switch (resultCode & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return u"O banco de dados %1 está sendo usado por outro programa. Feche o outro programa (ou a outra "
               u"janela do ZEF) e tente de novo."_s.arg(file);
    case SQLITE_CORRUPT:
        return u"O banco de dados %1 está danificado. "_s.arg(file) + kRestoreCopy;
    case SQLITE_NOTADB:
        return u"O arquivo %1 não é um banco de dados do ZEF ou está danificado. "_s.arg(file) + kRestoreCopy;
    case SQLITE_FULL:
        return u"Não há espaço livre no disco para gravar no banco de dados %1. Libere espaço em disco e tente "
               u"de novo."_s.arg(file);
    case SQLITE_READONLY:
        return u"O banco de dados %1 não pode ser alterado: o arquivo ou a pasta Db está protegido contra "
               u"gravação. Permita a gravação na pasta Db e tente de novo."_s.arg(file);
    case SQLITE_IOERR:
        return u"Erro de leitura ou gravação no banco de dados %1. Verifique o disco e tente de novo; se o erro "
               u"continuar, restaure uma cópia de segurança da pasta Db."_s.arg(file);
    case SQLITE_CANTOPEN:
        return u"Não foi possível abrir o banco de dados %1. Verifique se a pasta Db existe e se você pode gravar "
               u"nela, e tente de novo."_s.arg(file);
    case SQLITE_NOMEM:
        return u"Memória insuficiente para usar o banco de dados %1. Feche outros programas e tente de novo."_s.arg(
            file);
    default:
        return {};
    }
}

QString databaseFileName(sqlite3 *handle)
{
    const char *name = handle ? sqlite3_db_filename(handle, "main") : nullptr;
    return name ? QDir::toNativeSeparators(QString::fromUtf8(name)) : QString();
}

QString emptyDatabaseMessage(const QString &file)
{
    return u"O banco de dados %1 está vazio (0 bytes). "_s.arg(file) + kRestoreCopy;
}

QString foreignDatabaseMessage(const QString &file)
{
    return u"O arquivo %1 não é um banco de dados do ZEF. "_s.arg(file) + kRestoreCopy;
}

} // namespace zef
