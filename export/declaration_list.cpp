#include "export/declaration_list.h"

#include "data/text_routines.h"
#include "engine/collation.h"
#include "engine/database.h"
#include "engine/query.h"

namespace zef {

namespace {

constexpr auto kMask = u"99.999.999-9";
constexpr int kInscricaoWidth = 18;
constexpr int kNameChars = 51;
constexpr int kNameWidth = 56;
constexpr int kListedInscricao = 12;

} // namespace

QString formataInscricao(const QString &inscricao)
{
    const QStringView mask(kMask);
    QString out;
    out.reserve(mask.size());
    qsizetype next = 0;
    for (const QChar m : mask) {
        if (m == u'9')
            out.append(next < inscricao.size() ? inscricao.at(next++) : QChar(u' '));
        else
            out.append(m);
    }
    return out;
}

QString entradaDaLista(const QString &inscricao, const QString &razaoSocial)
{
    // 51 characters always fit the 56 of the name column, so the padding never refuses.
    return AjustaTamanho(formataInscricao(inscricao), kInscricaoWidth) + QLatin1Char(' ')
        + razaoSocial.left(kNameChars).leftJustified(kNameWidth, u' ');
}

QList<ListedDeclaration> listaDeclaracoes(Database &db, const QString &year)
{
    Query q(db);
    q.addLine(QStringLiteral("SELECT Zef.CGCEmpresa, Empresa.RazaoSocial"));
    q.addLine(QStringLiteral("FROM Zef INNER JOIN Empresa ON Zef.CGCEmpresa = Empresa.InscricaoEmpresa"));
    q.addLine(QStringLiteral("where anobase = :AnoBase"));
    q.addLine(QStringLiteral("order by Empresa.RazaoSocial COLLATE %1, Zef.CGCEmpresa;").arg(QLatin1String(kNameCollation)));
    q.setParam(QStringLiteral("AnoBase"), year);
    q.open();
    QList<ListedDeclaration> list;
    for (q.first(); !q.eof(); q.next()) {
        ListedDeclaration d;
        d.inscricao = q.fieldByName(QStringLiteral("CGCEmpresa"))->asString();
        d.razaoSocial = q.fieldByName(QStringLiteral("RazaoSocial"))->asString();
        d.entry = entradaDaLista(d.inscricao, d.razaoSocial);
        list.append(d);
    }
    return list;
}

QString inscricaoDaEntrada(const QString &entry)
{
    return SoDigitos(entry.left(kListedInscricao));
}

} // namespace zef
