#include "data/reference_data.h"

#include "data/catalogue.h"
#include "data/database_setup.h"
#include "engine/database.h"
#include "engine/statement.h"
#include "engine/transaction.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QList>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringDecoder>

namespace zef {

namespace {

using namespace Qt::StringLiterals;

QString quotedName(const QString &identifier)
{
    QString s = identifier;
    s.replace(u'"', u"\"\""_s);
    return u'"' + s + u'"';
}

// One reference file being read; every complaint names the file and the line.
class ReferenceFile
{
public:
    explicit ReferenceFile(const QString &path) : m_path(path) {}

    [[noreturn]] void fail(const QString &why) const { throw SetupError(u"%1: %2"_s.arg(m_path, why)); }
    [[noreturn]] void fail(int line, const QString &why) const
    {
        throw SetupError(u"%1, linha %2: %3"_s.arg(m_path, QString::number(line), why));
    }

    // The file's lines, decoded; a final line break does not start another line.
    QStringList lines() const
    {
        QFile file(m_path);
        if (!file.exists())
            fail(u"arquivo de dados de referência não encontrado"_s);
        if (!file.open(QIODevice::ReadOnly))
            fail(u"não foi possível ler o arquivo (%1)"_s.arg(file.errorString()));
        QList<QByteArray> raw = file.readAll().split('\n');
        if (!raw.isEmpty() && raw.constLast().isEmpty())
            raw.removeLast();
        QStringList result;
        result.reserve(raw.size());
        for (qsizetype i = 0; i < raw.size(); ++i) {
            QByteArray bytes = raw.at(i);
            if (bytes.endsWith('\r'))
                bytes.chop(1);
            if (i == 0 && bytes.startsWith("\xEF\xBB\xBF"))
                bytes.remove(0, 3);
            QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            QString text = decoder.decode(bytes);
            if (decoder.hasError())
                fail(int(i + 1), u"o texto não está em UTF-8"_s);
            result.append(text);
        }
        return result;
    }

private:
    QString m_path;
};

// SQLite's own words without the driver's suffix; a repeated key says so first.
QString failureText(const QSqlError &error)
{
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    const QString code = error.nativeErrorCode();
    const bool repeatedKey = code == u"2067"_s || code == u"1555"_s;   // unique, primary key
    return repeatedKey ? u"chave repetida (%1)"_s.arg(text) : text;
}

QVariant convert(const ReferenceFile &file, int line, const FieldDef &field, const QString &text)
{
    if (text.isEmpty())
        return QVariant();
    const QString where = u"coluna %1: "_s.arg(field.name);
    switch (field.type) {
    case FieldType::String:
        if (field.size > 0 && text.size() > field.size)
            file.fail(line, where + u"\"%1\" tem %2 caracteres, o máximo é %3"_s.arg(text, QString::number(text.size()),
                                                                                 QString::number(field.size)));
        return text;
    case FieldType::Integer: {
        bool ok = false;
        const int value = text.toInt(&ok);
        if (!ok)
            file.fail(line, where + u"\"%1\" não é um número inteiro"_s.arg(text));
        return value;
    }
    case FieldType::Float: {
        bool ok = false;
        const double value = text.toDouble(&ok);
        if (!ok)
            file.fail(line, where + u"\"%1\" não é um número"_s.arg(text));
        return value;
    }
    case FieldType::Date: {
        const QDate value = QDate::fromString(text, Qt::ISODate);
        if (!value.isValid())
            file.fail(line, where + u"\"%1\" não é uma data (aaaa-mm-dd)"_s.arg(text));
        return value;
    }
    case FieldType::Boolean: {
        const QString folded = text.toLower();
        if (folded == u"true"_s || folded == u"1"_s)
            return true;
        if (folded == u"false"_s || folded == u"0"_s)
            return false;
        file.fail(line, where + u"\"%1\" não é um valor lógico (true ou false)"_s.arg(text));
    }
    }
    return QVariant();
}

void loadTable(Database &db, const QString &dir, const QString &tableName)
{
    const TableDef *def = catalogueTable(tableName);
    const QString path = QDir(dir).filePath(tableName + u".tsv"_s);
    const ReferenceFile file(path);
    if (!def)
        file.fail(u"a tabela %1 não está no catálogo"_s.arg(tableName));

    const QStringList lines = file.lines();
    if (lines.isEmpty() || lines.constFirst().isEmpty())
        file.fail(1, u"falta a linha com os nomes das colunas"_s);

    QList<const FieldDef *> columns;
    QStringList names;
    for (const QString &name : lines.constFirst().split(u'\t')) {
        const FieldDef *field = def->field(name);
        if (!field || field->name != name)
            file.fail(1, u"a coluna \"%1\" não existe na tabela %2"_s.arg(name, def->fileName));
        if (columns.contains(field))
            file.fail(1, u"a coluna \"%1\" aparece duas vezes"_s.arg(name));
        columns.append(field);
        names.append(quotedName(field->name));
    }
    for (const FieldDef &field : def->fields)
        if (field.required && !columns.contains(&field))
            file.fail(1, u"falta a coluna obrigatória \"%1\""_s.arg(field.name));

    const QString storedName = db.storedTableName(def->sqlName());
    if (storedName.isEmpty())
        file.fail(u"a tabela %1 não existe no banco de dados"_s.arg(def->fileName));
    QStringList placeholders;
    placeholders.fill(u"?"_s, columns.size());
    QSqlQuery insert(db.sql());
    if (!insert.prepare(u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(quotedName(storedName), names.join(u", "_s),
                                                                 placeholders.join(u", "_s))))
        file.fail(failureText(insert.lastError()));

    for (qsizetype i = 1; i < lines.size(); ++i) {
        const int line = int(i + 1);
        if (lines.at(i).isEmpty())
            file.fail(line, u"linha vazia"_s);
        const QStringList values = lines.at(i).split(u'\t');
        if (values.size() != columns.size())
            file.fail(line, u"esperados %1 campos separados por tabulação, encontrados %2"_s.arg(columns.size())
                                .arg(values.size()));
        for (qsizetype c = 0; c < columns.size(); ++c) {
            const FieldDef &field = *columns.at(c);
            insert.addBindValue(toStored(convert(file, line, field, values.at(c)), field.type));
        }
        if (!insert.exec())
            file.fail(line, failureText(insert.lastError()));
    }
}

} // namespace

QStringList referenceTables()
{
    return {u"Municip"_s, u"atividades20"_s, u"CNAE11"_s, u"AnoBaseCampo7"_s, u"cfop"_s, u"UF"_s, u"TB_UF"_s};
}

void loadReferenceData(Database &db, const QString &dir)
{
    Transaction transaction(db);
    for (const QString &table : referenceTables())
        loadTable(db, dir, table);
    transaction.commit();
}

} // namespace zef
