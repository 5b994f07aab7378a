#include "import/paradox_tables.h"

#include "data/windows_1252.h"
#include "engine/engine_error.h"

#include <QDate>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

extern "C" {
#include <paradox.h>
}

namespace zef {
namespace {

void bootOnce()
{
    static const bool booted = [] {
        PX_boot();
        return true;
    }();
    (void)booted;
}

QString textoErroLeitura(const QString &path, const QString &reason)
{
    return QStringLiteral("Não foi possível ler a tabela %1: %2").arg(QDir::toNativeSeparators(path), reason);
}

// One table file open for reading; pxlib's errors are kept to be told with the failure.
class ParadoxFile
{
public:
    explicit ParadoxFile(const QString &path) : m_path(path)
    {
        bootOnce();
        m_doc = PX_new3(&ParadoxFile::onError, nullptr, nullptr, nullptr, this);
        if (!m_doc)
            throw EngineError(textoErroLeitura(path, QStringLiteral("memória insuficiente")));
        // Read only: an earlier installation may sit on a medium that cannot be written.
        m_file = std::fopen(QFile::encodeName(path).constData(), "rb");
        if (!m_file) {
            const QString reason = QString::fromLocal8Bit(std::strerror(errno));
            PX_delete(m_doc);
            throw EngineError(textoErroLeitura(path, reason));
        }
        if (PX_open_fp(m_doc, m_file) < 0) {
            const QString reason = lastError();
            PX_delete(m_doc);
            std::fclose(m_file);
            throw EngineError(textoErroLeitura(path, reason));
        }
    }
    ~ParadoxFile()
    {
        PX_close(m_doc);
        PX_delete(m_doc);
        std::fclose(m_file);
    }
    ParadoxFile(const ParadoxFile &) = delete;
    ParadoxFile &operator=(const ParadoxFile &) = delete;

    pxdoc_t *doc() const { return m_doc; }
    const QString &path() const { return m_path; }

    QString lastError() const
    {
        return m_error.isEmpty() ? QStringLiteral("arquivo ilegível") : m_error;
    }

    // A record as pxlib hands it, freed with it.
    class Record
    {
    public:
        Record(ParadoxFile &file, int recno) : m_doc(file.doc()), m_values(PX_retrieve_record(m_doc, recno))
        {
            if (!m_values)
                throw EngineError(textoErroLeitura(file.path(),
                                                   QStringLiteral("registro %1: %2").arg(recno + 1).arg(file.lastError())));
            m_count = PX_get_num_fields(m_doc);
        }
        ~Record()
        {
            for (int i = 0; i < m_count; ++i) {
                pxval_t *v = m_values[i];
                if (!v)
                    continue;
                if (!isNumeric(v->type) && !v->isnull && v->value.str.val)
                    m_doc->free(m_doc, v->value.str.val);
                m_doc->free(m_doc, v);
            }
            m_doc->free(m_doc, m_values);
        }
        Record(const Record &) = delete;
        Record &operator=(const Record &) = delete;

        const pxval_t *at(int i) const { return m_values[i]; }

        // The types pxlib hands back as numbers; every other one comes as allocated text.
        static bool isNumeric(int type)
        {
            switch (type) {
            case pxfShort: case pxfLong: case pxfDate: case pxfTime: case pxfLogical: case pxfAutoInc:
            case pxfTimestamp: case pxfNumber: case pxfCurrency:
                return true;
            default:
                return false;
            }
        }

    private:
        pxdoc_t *m_doc;
        pxval_t **m_values;
        int m_count = 0;
    };

private:
    static void onError(pxdoc_t *, int type, const char *msg, void *data)
    {
        if (type == PX_Warning)
            return;
        static_cast<ParadoxFile *>(data)->m_error = QString::fromLocal8Bit(msg).trimmed();
    }

    QString m_path;
    pxdoc_t *m_doc = nullptr;
    std::FILE *m_file = nullptr;
    QString m_error;
};

QVariant valueOf(const pxval_t *v, const pxfield_t &field, const QString &path)
{
    if (v->isnull)
        return QVariant();
    switch (v->type) {
    case pxfAlpha: {
        const QString text = fromWindows1252(QByteArrayView(v->value.str.val, qstrnlen(v->value.str.val, field.px_flen)));
        return text.isEmpty() ? QVariant() : QVariant(text);
    }
    case pxfBCD:
        return QString::fromLatin1(v->value.str.val);
    case pxfShort:
    case pxfLong:
    case pxfAutoInc:
        return QVariant(qlonglong(v->value.lval));
    case pxfLogical:
        return QVariant(v->value.lval != 0);
    case pxfNumber:
    case pxfCurrency: {
        // Whole numbers read as integers, so that a registration kept in a number column copies
        // into a text column with its digits only.
        const double d = v->value.dval;
        if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 1e15)
            return QVariant(qlonglong(d));
        return QVariant(d);
    }
    case pxfDate: {
        int year = 0, month = 0, day = 0;
        // Days since the first of January of the year 1; pxlib converts from day numbers.
        PX_SdnToGregorian(v->value.lval + 1721425, &year, &month, &day);
        return QVariant(QDate(year, month, day));
    }
    default:
        throw EngineError(textoErroLeitura(path, QStringLiteral("o campo %1 é de um tipo que não pode ser copiado")
                                                     .arg(fromWindows1252(QByteArrayView(field.px_fname)))));
    }
}

int compareValues(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull() ? 0 : (a.isNull() ? -1 : 1);
    if (a.typeId() == QMetaType::QString && b.typeId() == QMetaType::QString)
        return a.toString().compare(b.toString());
    if (a.typeId() == QMetaType::QDate)
        return a.toDate() < b.toDate() ? -1 : (b.toDate() < a.toDate() ? 1 : 0);
    const double x = a.toDouble(), y = b.toDouble();
    return x < y ? -1 : (y < x ? 1 : 0);
}

} // namespace

ParadoxTables::ParadoxTables(const QString &folder) : m_folder(folder) {}

QString ParadoxTables::filePath(const QString &table) const
{
    QString wanted = table;
    if (!wanted.contains(QLatin1Char('.')))
        wanted += QStringLiteral(".DB");
    const QDir dir(m_folder);
    const QStringList files = dir.entryList(QDir::Files | QDir::Hidden);
    for (const QString &name : files)
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return dir.filePath(name);
    throw EngineError(textoTabelaNaoEncontrada(dir.filePath(wanted)));
}

QList<QVariantList> ParadoxTables::rows(const QString &table, const QStringList &columns)
{
    const QString path = filePath(table);
    ParadoxFile file(path);
    pxdoc_t *doc = file.doc();

    const int fieldCount = PX_get_num_fields(doc);
    const pxfield_t *fields = PX_get_fields(doc);
    if (fieldCount <= 0 || !fields)
        throw EngineError(textoErroLeitura(path, file.lastError()));

    QList<int> wanted;
    for (const QString &column : columns) {
        int found = -1;
        for (int i = 0; i < fieldCount && found < 0; ++i)
            if (fromWindows1252(QByteArrayView(fields[i].px_fname)).compare(column, Qt::CaseInsensitive) == 0)
                found = i;
        if (found < 0)
            throw EngineError(textoCampoNaoEncontrado(path, column));
        wanted.append(found);
    }
    // The key is made of the leading fields of a keyed table.
    const int keyCount = std::clamp(doc->px_head->px_primarykeyfields, 0, fieldCount);

    struct Read {
        QVariantList key;
        QVariantList values;
    };
    std::vector<Read> read;
    const int records = PX_get_num_records(doc);
    read.reserve(std::max(records, 0));
    for (int r = 0; r < records; ++r) {
        const ParadoxFile::Record record(file, r);
        Read row;
        for (int k = 0; k < keyCount; ++k)
            row.key.append(valueOf(record.at(k), fields[k], path));
        for (const int i : std::as_const(wanted))
            row.values.append(valueOf(record.at(i), fields[i], path));
        read.push_back(std::move(row));
    }

    // pxlib hands records in the order of the file's blocks, which is not the key's.
    std::stable_sort(read.begin(), read.end(), [](const Read &a, const Read &b) {
        for (int k = 0; k < a.key.size(); ++k)
            if (const int c = compareValues(a.key[k], b.key[k]); c != 0)
                return c < 0;
        return false;
    });
    QList<QVariantList> out;
    out.reserve(qsizetype(read.size()));
    for (Read &row : read)
        out.append(std::move(row.values));
    return out;
}

} // namespace zef
