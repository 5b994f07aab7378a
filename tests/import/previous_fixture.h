#pragma once

// Shared by the previous-installation import tests: an earlier installation in a folder of its
// own, either as Paradox tables written here with pxlib's writer or as a database of this
// program, holding the taxpayers and accountants a test gives it.

#include "import_fixture.h"

#include "data/windows_1252.h"
#include "import/previous_import.h"

#include <QFile>
#include <QVariantList>

#include <cstdlib>
#include <optional>
#include <cstring>

extern "C" {
#include <paradox.h>
}

namespace importtest {

// How the earlier installation keeps its tables.
enum class Origem { Paradox, BancoProprio };

// A taxpayer and an accountant of the earlier installation, their columns in the order that
// PreviousImport copies them; a null QVariant is an empty column.
inline QVariantList empresa(const QString &ie, const QVariant &razaoSocial = u"EMPRESA ANTIGA LTDA"_s)
{
    return {ie, u"11222333000181"_s, razaoSocial, u"FANTASIA"_s, u"RUA DAS FLORES, 10"_s, kAtividade,
            kMunicipio, u"VD"_s, u"77000000"_s, u"1234"_s};
}

inline QVariantList contador(const QString &cpf, const QVariant &nome = u"CONTADOR ANTIGO"_s)
{
    return {cpf, u"VD-012345/O"_s, nome, u"6332150000"_s, u"AV. CENTRAL, 500"_s};
}

// A column of a Paradox table: its name, pxlib type and length (alpha columns).
struct PxColumn {
    const char *name;
    char type;
    int length;
};

// The tables as the earlier Windows program defines them, in stored order (Contador keeps its
// address before its phone, unlike the order of the copied columns).
inline const QList<PxColumn> &pxEmpresa()
{
    static const QList<PxColumn> columns{
        {"InscricaoEmpresa", pxfAlpha, 9}, {"CGCEmpresa", pxfAlpha, 14},    {"RazaoSocial", pxfAlpha, 60},
        {"NomeFantasia", pxfAlpha, 50},    {"Endereco", pxfAlpha, 40},      {"CodigoAtividade", pxfAlpha, 7},
        {"CodigoMunicipio", pxfAlpha, 7},  {"UF", pxfAlpha, 2},             {"CEP", pxfAlpha, 8},
        {"Senha", pxfAlpha, 4},            {"Observacao", pxfAlpha, 30},
    };
    return columns;
}

inline const QList<PxColumn> &pxContador()
{
    static const QList<PxColumn> columns{
        {"CPFContador", pxfAlpha, 11},     {"CRCContador", pxfAlpha, 20}, {"NomeContador", pxfAlpha, 60},
        {"EnderecoContador", pxfAlpha, 40}, {"FoneContador", pxfAlpha, 10},
    };
    return columns;
}

// Options of one Paradox table.
struct PxOptions {
    QByteArray password;   // encrypts the table when set
    int keyFields = 1;     // leading fields that make the key; 0 for a table without one
};

// Writes a Paradox table with pxlib. The rows hold their values by column name order of
// `columns`; text is written in Windows-1252. Rows are stored in the order given, which need not
// be the key's.
inline void writeParadox(const QString &path, const QList<PxColumn> &columns, const QList<QVariantList> &rows,
                         const PxOptions &options = {})
{
    PX_boot();
    pxdoc_t *doc = PX_new();
    // pxlib takes the field array over and frees it with the document.
    auto *fields = static_cast<pxfield_t *>(std::calloc(std::size_t(columns.size()), sizeof(pxfield_t)));
    for (int i = 0; i < columns.size(); ++i) {
        fields[i].px_fname = strdup(columns[i].name);
        fields[i].px_ftype = columns[i].type;
        const char type = columns[i].type;
        fields[i].px_flen = type == pxfAlpha ? columns[i].length : type == pxfShort ? 2 : type == pxfLong ? 4 : 8;
        fields[i].px_fdc = 0;
    }
    if (PX_create_file(doc, fields, int(columns.size()), QFile::encodeName(path).constData(), pxfFileTypIndexDB) < 0)
        qFatal("pxlib cannot create %s", qPrintable(path));
    doc->px_head->px_primarykeyfields = options.keyFields;
    if (!options.password.isEmpty())
        PX_set_parameter(doc, "password", options.password.constData());

    const int size = PX_get_recordsize(doc);
    for (const QVariantList &row : rows) {
        QByteArray record(size, '\0');
        int offset = 0;
        for (int i = 0; i < columns.size(); ++i) {
            const PxColumn &c = columns[i];
            const int length = fields[i].px_flen;
            const QVariant v = row.value(i);
            if (!v.isNull()) {
                char *at = record.data() + offset;
                switch (c.type) {
                case pxfAlpha: {
                    QByteArray bytes = zef::toWindows1252(v.toString()).left(length);
                    PX_put_data_alpha(doc, at, length, bytes.data());
                    break;
                }
                case pxfNumber: PX_put_data_double(doc, at, length, v.toDouble()); break;
                case pxfLong: PX_put_data_long(doc, at, length, v.toInt()); break;
                case pxfShort: PX_put_data_short(doc, at, length, short(v.toInt())); break;
                default: qFatal("column type not written by the tests");
                }
            }
            offset += length;
        }
        if (PX_put_record(doc, record.data()) < 0)
            qFatal("pxlib cannot write a record of %s", qPrintable(path));
    }
    PX_close(doc);
    PX_delete(doc);
}

// An earlier installation in a temporary folder.
class Anterior
{
public:
    explicit Anterior(Origem origem) : m_origem(origem) { QVERIFY(m_dir.isValid()); }

    // The folder the import is pointed at: the Paradox tables, or the earlier installation's Db.
    QString folder() const
    {
        return m_origem == Origem::Paradox ? m_dir.path() : m_dir.filePath(u"Db"_s);
    }

    // A file of the Paradox folder, for the tests that write their own tables.
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    // Both registers at once; a table is left out when its rows are not given (std::nullopt).
    void write(const std::optional<QList<QVariantList>> &empresas, const std::optional<QList<QVariantList>> &contadores)
    {
        if (m_origem == Origem::Paradox) {
            if (empresas)
                writeParadox(m_dir.filePath(u"Empresa.DB"_s), pxEmpresa(), *empresas);
            if (contadores)
                writeParadox(m_dir.filePath(u"Contador.DB"_s), pxContador(), withPxOrder(*contadores));
            return;
        }
        // A copy of a fresh installation of this program with the registers replaced.
        const QString db = u"Db/"_s + QString::fromLatin1(zef::Database::kFileName);
        QVERIFY(QDir(m_dir.path()).mkpath(u"Db"_s));
        QFile::remove(m_dir.filePath(db));
        QVERIFY(QFile::copy(QDir(Fixture::templateHome()).filePath(db), m_dir.filePath(db)));
        QVERIFY(QFile::setPermissions(m_dir.filePath(db), QFile::ReadOwner | QFile::WriteOwner));
        const std::unique_ptr<zef::Database> conn = Fixture::connect(m_dir.path());
        replace(*conn, u"Empresa"_s, zef::PreviousImport::empresaColumns(), empresas);
        replace(*conn, u"Contador"_s, zef::PreviousImport::contadorColumns(), contadores);
    }

private:
    // Contador.DB stores the address before the phone.
    static QList<QVariantList> withPxOrder(const QList<QVariantList> &rows)
    {
        QList<QVariantList> out;
        for (const QVariantList &r : rows)
            out.append({r.value(0), r.value(1), r.value(2), r.value(4), r.value(3)});
        return out;
    }

    static void replace(zef::Database &db, const QString &table, const QStringList &columns,
                        const std::optional<QList<QVariantList>> &rows)
    {
        zef::Query(db, u"delete from %1"_s.arg(table)).execSql();
        if (!rows) {
            zef::Query(db, u"drop table %1"_s.arg(table)).execSql();
            return;
        }
        QStringList marks;
        for (int i = 0; i < columns.size(); ++i)
            marks.append(u":p%1"_s.arg(i));
        for (const QVariantList &row : *rows) {
            zef::Query q(db, u"insert into %1 (%2) values (%3)"_s.arg(table, columns.join(u", "_s), marks.join(u", "_s)));
            for (int i = 0; i < columns.size(); ++i)
                q.setParam(u"p%1"_s.arg(i), row.value(i));
            q.execSql();
        }
    }

    Origem m_origem;
    QTemporaryDir m_dir;
};

} // namespace importtest

Q_DECLARE_METATYPE(importtest::Origem)
