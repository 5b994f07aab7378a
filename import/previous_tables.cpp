#include "import/previous_tables.h"

#include "engine/database.h"
#include "engine/engine_error.h"
#include "import/own_database_tables.h"
#include "import/paradox_tables.h"

#include <QDir>
#include <QFileInfo>

namespace zef {

QString textoTabelaNaoEncontrada(const QString &where)
{
    return QStringLiteral("Tabela não encontrada: %1").arg(QDir::toNativeSeparators(where));
}

QString textoCampoNaoEncontrado(const QString &where, const QString &column)
{
    return QStringLiteral("Campo %1 não encontrado na tabela %2").arg(column, QDir::toNativeSeparators(where));
}

std::unique_ptr<PreviousTables> openPreviousTables(const QString &folder)
{
    const QFileInfo dir(folder);
    if (folder.trimmed().isEmpty() || !dir.isDir())
        throw EngineError(QStringLiteral("Diretório não encontrado: %1").arg(QDir::toNativeSeparators(folder)));
    if (QFileInfo(QDir(folder).filePath(QString::fromLatin1(Database::kFileName))).isFile())
        return std::make_unique<OwnDatabaseTables>(folder);
    return std::make_unique<ParadoxTables>(folder);
}

} // namespace zef
