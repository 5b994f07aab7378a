#pragma once

// A tiny table for the widget tests: a code, a masked registration number, an amount with the
// program's money formats, a masked date, a one-letter code and a small integer code.

#include "app/widgets/widget_errors.h"
#include "engine/database.h"
#include "engine/query.h"
#include "engine/table.h"
#include "tests/support/keyboard.h"

#include <QApplication>
#include <QLocale>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>
#include <memory>

namespace widget_test {

inline zef::FieldDef column(const char *name, zef::FieldType type, int size = 0)
{
    zef::FieldDef f;
    f.name = QString::fromLatin1(name);
    f.type = type;
    f.size = size;
    return f;
}

inline zef::TableDef pessoaTable()
{
    using zef::FieldType;
    zef::TableDef t;
    t.fileName = QStringLiteral("Pessoa.DB");
    zef::FieldDef codigo = column("Codigo", FieldType::String, 3);
    codigo.required = true;
    zef::FieldDef ie = column("IE", FieldType::String, 9);
    ie.editMask = QStringLiteral("99.999.999-9");
    zef::FieldDef valor = column("Valor", FieldType::Float);
    valor.displayFormat = QStringLiteral("#,###,###,##0.00");
    valor.editFormat = QStringLiteral("#########0.00");
    zef::FieldDef inicio = column("Inicio", FieldType::Date);
    inicio.editMask = QStringLiteral("99/99/9999");
    zef::FieldDef uf = column("UF", FieldType::String, 2);
    uf.editMask = QStringLiteral(">LL");
    t.fields = {codigo, ie, valor, inicio, column("Regime", FieldType::String, 1), uf,
                column("Finalidade", FieldType::Integer), column("Nome", FieldType::String, 30)};
    zef::IndexDef pk;
    pk.fields = {QStringLiteral("Codigo")};
    t.indexes = {pk};
    return t;
}

// A fresh database in a temporary folder holding `rows` rows of Pessoa:
// 001 290000017 1234567.891 2024-01-15 S VD 1 Alfa / 002 (nulls) 0 N 2 Beta / 003 123456789 -5.25 ... 1 Gama.
class Fixture
{
    // Declared first so that they outlive the table.
    QTemporaryDir m_dir;
    zef::Database m_db;

public:
    explicit Fixture(int rows = 3)
    {
        m_db.setParam(QStringLiteral("PATH"), m_dir.path());
        m_db.setCatalogue({pessoaTable()});
        m_db.connect(true);
        m_db.createTable(pessoaTable());
        for (const zef::IndexDef &i : pessoaTable().indexes)
            m_db.addIndex(QStringLiteral("Pessoa.DB"), i);
        const QStringList inserts = {
            QStringLiteral("('001', '290000017', 1234567.891, '2024-01-15', 'S', 'VD', 1, 'Alfa')"),
            QStringLiteral("('002', NULL, 0, NULL, 'N', NULL, 2, 'Beta')"),
            QStringLiteral("('003', '123456789', -5.25, '2023-12-31', NULL, 'GO', 1, 'Gama')"),
        };
        for (int i = 0; i < rows && i < inserts.size(); ++i)
            exec(QStringLiteral("insert into Pessoa (Codigo, IE, Valor, Inicio, Regime, UF, Finalidade, Nome) values ")
                 + inserts.at(i));
        table = std::make_unique<zef::Table>(m_db, QStringLiteral("Pessoa.DB"));
        table->open();
    }

    void exec(const QString &sql)
    {
        zef::Query q(m_db, sql);
        q.execSql();
    }

    // What the file holds now, away from the table's own buffer.
    QVariant stored(const QString &codigo, const QString &column)
    {
        zef::Query q(m_db, QStringLiteral("select %1 from Pessoa where Codigo = '%2'").arg(column, codigo));
        return q.scalar();
    }

    zef::Database &db() { return m_db; }

    std::unique_ptr<zef::Table> table;
};

// Widget errors land here instead of the log, for the tests to look at.
class ErrorCatcher
{
public:
    ErrorCatcher()
    {
        zef::setWidgetErrorHandler([this](const std::exception &e) {
            if (const auto *engine = dynamic_cast<const zef::EngineError *>(&e))
                messages.append(engine->message());
            else
                messages.append(QString::fromLocal8Bit(e.what()));
        });
    }
    ~ErrorCatcher() { zef::setWidgetErrorHandler({}); }
    ErrorCatcher(const ErrorCatcher &) = delete;
    ErrorCatcher &operator=(const ErrorCatcher &) = delete;

    QStringList messages;
};

// Keyboard focus needs a shown, active window.
inline bool showActive(QWidget &window)
{
    return zef::testsupport::mostra(window);
}

inline QLocale brazil()
{
    return QLocale(QLocale::Portuguese, QLocale::Brazil);
}

inline QLocale unitedStates()
{
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

} // namespace widget_test
