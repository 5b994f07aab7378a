#pragma once

// Shared by the import tests: a fresh database with a few taxpayers and one accountant, builders
// of valid lines of every letter that a test then spoils, and a way to run an import over them.

#include "data/catalogue.h"
#include "data/database_setup.h"
#include "data/scripted_dialogs.h"
#include "data/windows_1252.h"
#include "engine/database.h"
#include "engine/query.h"
#include "engine/transaction.h"
#include "import/import_reader.h"
#include "import/text_import.h"
#include "tests/support/fresh_install.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace importtest {

using namespace Qt::StringLiterals;

inline const QString kIE1 = u"290000017"_s;   // EMPRESA UM LTDA
inline const QString kIE2 = u"290000025"_s;   // EMPRESA DOIS LTDA
inline const QString kIE3 = u"290000033"_s;   // EMPRESA TRÊS LTDA
inline const QString kCPF = u"52998224725"_s;
inline const QString kMunicipio = u"1700251"_s;
inline const QString kMunicipio2 = u"1700954"_s;
inline const QString kAtividade07 = u"0111301"_s;   // obliges item 07 from 2019 on
inline const QString kAtividade = u"4711302"_s;     // does not

// The current date of every test: base years up to 2025 are past years.
inline const QDate kHoje(2026, 6, 15);

// A line under construction: text placed at positions counted from 1, blanks in between.
class Line
{
public:
    Line() = default;
    explicit Line(const QString &text) : m_text(text) {}

    Line &set(int pos, const QString &value)
    {
        if (m_text.size() < pos - 1 + value.size())
            m_text = m_text.leftJustified(pos - 1 + value.size(), u' ');
        m_text.replace(pos - 1, value.size(), value);
        return *this;
    }
    Line &cut(int length)
    {
        m_text.truncate(length);
        return *this;
    }
    Line &pad(int length)
    {
        m_text = m_text.leftJustified(length, u' ');
        return *this;
    }
    QString text() const { return m_text; }
    operator QString() const { return m_text; }

private:
    QString m_text;
};

// An amount field: cents in 14 digits.
inline QString amt(qint64 cents)
{
    return QString::number(cents).rightJustified(14, u'0');
}

inline Line lineA(const QString &ie = kIE1, const QString &year = u"2025"_s)
{
    Line l;
    l.set(1, u"A"_s)
        .set(2, ie)
        .set(11, year)
        .set(15, u"N"_s)
        .set(16, kAtividade07)
        .set(23, u"1"_s)
        .set(24, u"1"_s)
        .set(25, u"1"_s)
        .set(26, u"3"_s)
        .set(27, kMunicipio)
        .set(34, u"0101"_s + year)
        .set(42, u"3112"_s + year)
        .set(50, kCPF)
        .set(61, u"PEDRO ALVES"_s)
        .set(141, amt(150000))
        .set(155, amt(250075))
        .set(169, amt(9900000))
        .set(183, u"N"_s)
        .set(184, u"2026.1"_s);
    return l;
}

inline QString head(QChar letter, const QString &ie, const QString &year)
{
    return QString(letter) + ie + year;
}

inline Line lineB(const QString &ie = kIE1, const QString &year = u"2025"_s, const QString &domicile = u"A"_s)
{
    return Line(head(u'B', ie, year) + kMunicipio + u"01012025"_s + u"30062025"_s + domicile);
}
inline Line lineC(const QString &ie = kIE1, const QString &year = u"2025"_s, const QString &code = u"01"_s)
{
    return Line(head(u'C', ie, year) + code + u"A"_s + kMunicipio + amt(100) + amt(200) + amt(300) + amt(400));
}
inline Line lineD(const QString &ie = kIE1, const QString &year = u"2025"_s, const QString &code = u"29"_s)
{
    return Line(head(u'D', ie, year) + code + u"A"_s + kMunicipio + amt(100) + amt(200) + amt(300) + amt(400)
                + amt(500) + amt(600));
}
inline Line lineE(const QString &ie = kIE1, const QString &year = u"2025"_s, const QString &code = u"01"_s)
{
    return Line(head(u'E', ie, year) + code + u"A"_s + kMunicipio + amt(100) + amt(200) + amt(300) + amt(400));
}
inline Line lineF(const QString &ie = kIE1, const QString &year = u"2025"_s, const QString &code = u"29"_s)
{
    return Line(head(u'F', ie, year) + code + u"A"_s + kMunicipio + amt(100) + amt(200) + amt(300) + amt(400)
                + amt(500) + amt(600) + amt(700));
}
inline Line lineG(const QString &ie = kIE1, const QString &year = u"2025"_s)
{
    return Line(head(u'G', ie, year) + kMunicipio2 + u"A"_s + kMunicipio + amt(100) + amt(200));
}
inline Line lineH(const QString &ie = kIE1, const QString &year = u"2025"_s)
{
    return Line(head(u'H', ie, year) + kIE3 + u"A"_s + kMunicipio + kMunicipio2);
}
inline Line lineI(const QString &ie = kIE1, const QString &year = u"2025"_s)
{
    return Line(head(u'I', ie, year) + kIE3 + u"A"_s + kMunicipio + u"0001234"_s + amt(100));
}
inline Line lineJ(const QString &ie = kIE1, const QString &year = u"2025"_s)
{
    return Line(head(u'J', ie, year) + amt(10000) + amt(2000) + amt(300) + amt(40000) + amt(5000) + amt(600));
}
inline Line lineK(const QString &ie = kIE1, const QString &year = u"2025"_s, const QString &type = u"E"_s,
                  const QString &cfop = u"1554"_s)
{
    return Line(head(u'K', ie, year) + type + cfop + u"A"_s + kMunicipio + amt(100) + amt(200) + amt(300)
                + amt(400));
}

// A valid declaration with one line of every letter.
inline QStringList declaracao(const QString &ie = kIE1, const QString &year = u"2025"_s)
{
    return {lineA(ie, year),     lineB(ie, year),     lineC(ie, year),     lineD(ie, year),
            lineE(ie, year),     lineF(ie, year),     lineG(ie, year),     lineH(ie, year),
            lineI(ie, year),     lineJ(ie, year),     lineK(ie, year),     u"Z"_s};
}

// A declaration with its lines in place of the usual ones.
inline QStringList declaracaoCom(const QStringList &lines, const Line &a = lineA())
{
    return QStringList{a} + lines + QStringList{u"Z"_s};
}

enum class Encoding { Windows1252, Utf8, Utf8Bom };

// A taxpayer of a long file, with a name the log tells apart.
struct Contribuinte {
    QString ie;
    QString nome;
};

struct ImportRun {
    zef::ImportSummary summary;
    QStringList log;
    QStringList boxes;
};

// A fresh installation with the registers the tests use. The installation is prepared once per
// test program and every fixture works on its own copy of it.
class Fixture
{
public:
    Fixture()
    {
        QVERIFY(m_home.isValid());
        const QString db = u"Db/"_s + QString::fromLatin1(zef::Database::kFileName);
        QVERIFY(QDir(m_home.path()).mkpath(u"Db"_s));
        QVERIFY(QFile::copy(QDir(templateHome()).filePath(db), m_home.filePath(db)));
        QVERIFY(QFile::setPermissions(m_home.filePath(db), QFile::ReadOwner | QFile::WriteOwner));
        m_db = connect(m_home.path());
    }

    zef::Database &db() { return *m_db; }
    QString home() const { return m_home.path(); }

    static std::unique_ptr<zef::Database> connect(const QString &home)
    {
        return zef::testsupport::FreshInstall::connect(home, u"pathZEF"_s);
    }

    // The installation every fixture copies: three taxpayers and one accountant.
    static QString templateHome()
    {
        static QTemporaryDir home;
        static bool ready = false;
        if (!ready) {
            zef::createDatabase(home.path());
            const std::unique_ptr<zef::Database> db = connect(home.path());
            addTaxpayer(*db, kIE1, u"EMPRESA UM LTDA"_s);
            addTaxpayer(*db, kIE2, u"EMPRESA DOIS LTDA"_s);
            addTaxpayer(*db, kIE3, u"EMPRESA TRÊS LTDA"_s);
            zef::Query q(*db, u"insert into Contador (CPFContador, NomeContador) values (:p0, 'CONTADOR')"_s);
            q.setParam(u"p0"_s, kCPF);
            q.execSql();
            ready = true;
        }
        return home.path();
    }

    static void addTaxpayer(zef::Database &db, const QString &ie, const QString &name)
    {
        zef::Query q(db, u"insert into Empresa (InscricaoEmpresa, CGCEmpresa, RazaoSocial, CodigoMunicipio, UF, "
                         u"CodigoAtividade) values (:p0, '11222333000181', :p1, :p2, 'VD', :p3)"_s);
        q.setParam(u"p0"_s, ie);
        q.setParam(u"p1"_s, name);
        q.setParam(u"p2"_s, kMunicipio);
        q.setParam(u"p3"_s, kAtividade07);
        q.execSql();
    }

    void addTaxpayer(const QString &ie, const QString &name)
    {
        exec(u"insert into Empresa (InscricaoEmpresa, CGCEmpresa, RazaoSocial, CodigoMunicipio, UF, CodigoAtividade) "
             u"values (:p0, '11222333000181', :p1, :p2, 'VD', :p3)"_s,
             {ie, name, kMunicipio, kAtividade07});
    }

    // Taxpayers of their own for a long file, registered in one transaction.
    QList<Contribuinte> addTaxpayers(int count)
    {
        QList<Contribuinte> list;
        zef::Transaction transaction(*m_db);
        for (int i = 0; i < count; ++i) {
            const Contribuinte c{u"2910%1"_s.arg(i, 5, 10, QLatin1Char('0')), u"CONTRIBUINTE %1"_s.arg(i)};
            addTaxpayer(c.ie, c.nome);
            list.append(c);
        }
        transaction.commit();
        return list;
    }

    void exec(const QString &sql, const QVariantList &values = {})
    {
        zef::Query q(*m_db, sql);
        for (int i = 0; i < values.size(); ++i)
            q.setParam(u"p%1"_s.arg(i), values.at(i));
        q.execSql();
    }

    QVariant scalar(const QString &sql, const QVariantList &values = {})
    {
        zef::Query q(*m_db, sql);
        for (int i = 0; i < values.size(); ++i)
            q.setParam(u"p%1"_s.arg(i), values.at(i));
        return q.scalar();
    }

    // Rows of a table for a declaration key.
    int rows(const QString &table, const QString &ie = kIE1, const QString &year = u"2025"_s)
    {
        return scalar(u"select count(*) from %1 where CGCEmpresa = :p0 and AnoBase = :p1"_s.arg(table), {ie, year})
            .toInt();
    }

    // Rows of every declaration table for a key.
    int allRows(const QString &ie = kIE1, const QString &year = u"2025"_s)
    {
        int n = 0;
        for (const char *t : {"zef", "ZefMunAnterior", "Compras", "Entrada", "Vendas", "Saidas", "SaidasMun",
                              "ProdutosDiferidos", "ProdutosDiferidosNotas", "Estoque", "CFOPOperacoes"})
            n += rows(QString::fromLatin1(t), ie, year);
        return n;
    }

    int totalRows(const QString &table)
    {
        return scalar(u"select count(*) from %1"_s.arg(table)).toInt();
    }

    QString writeFile(const QStringList &lines, Encoding encoding = Encoding::Windows1252,
                      const QString &lineEnd = u"\r\n"_s)
    {
        QString text;
        for (const QString &l : lines)
            text += l + lineEnd;
        return writeBytes(encode(text, encoding));
    }

    QString writeBytes(const QByteArray &bytes)
    {
        const QString path = m_home.filePath(u"import%1.txt"_s.arg(++m_files));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        f.write(bytes);
        return path;
    }

    static QByteArray encode(const QString &text, Encoding encoding)
    {
        switch (encoding) {
        case Encoding::Windows1252: return zef::toWindows1252(text);
        case Encoding::Utf8: return text.toUtf8();
        case Encoding::Utf8Bom: return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
        }
        return {};
    }

    // The first line of a file holding the text, as the import reads it.
    zef::ImportLine lineFrom(const QString &text, Encoding encoding = Encoding::Windows1252)
    {
        zef::ImportReader reader;
        zef::ImportLine line;
        if (!reader.open(writeFile({text}, encoding)) || !reader.next(line))
            qFatal("cannot read the line back");
        return line;
    }

    ImportRun importLines(const QStringList &lines, Encoding encoding = Encoding::Windows1252)
    {
        return importPath(writeFile(lines, encoding));
    }

    ImportRun importPath(const QString &path, int commitIntervalMs = 250)
    {
        ImportRun run;
        zef::ScriptedDialogs dialogs;
        zef::TextImport importacao(*m_db, dialogs);
        importacao.today = kHoje;
        importacao.commitIntervalMs = commitIntervalMs;
        importacao.onLog = [&run](const QString &entry) { run.log.append(entry); };
        run.summary = importacao.importFile(path);
        run.boxes = dialogs.texts();
        return run;
    }

private:
    QTemporaryDir m_home;
    std::unique_ptr<zef::Database> m_db;
    int m_files = 0;
};

} // namespace importtest
