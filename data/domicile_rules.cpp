// Record rules of the fiscal domiciles of a declaration, ZefMunAnterior.DB.

#include "data/data_module.h"
#include "data/dialogs.h"
#include "data/domicile_register.h"
#include "data/field_edit.h"
#include "data/record_routines.h"
#include "data/text_routines.h"

#include <QDate>

namespace zef {

namespace {

// The date at the head of a domicile description ("dd/mm/yyyy...").
QDate leadingDate(const QString &description)
{
    return QDate::fromString(description.left(10), QStringLiteral("dd/MM/yyyy"));
}

bool showsEmptyDate(const FieldEdit &edit)
{
    return SoDigitos(edit.text()).isEmpty();
}

} // namespace

void TfDmDados::attachDomicileRules()
{
    tbDomicilio.beforeInsert = [this](Dataset &ds) { tbDomicilioBeforeInsert(ds); };
    tbDomicilio.beforePost = [this](Dataset &ds) { tbDomicilioBeforePost(ds); };
    tbDomicilio.afterPost = [this](Dataset &ds) { stamp(ds); };
}

void TfDmDados::tbDomicilioBeforeInsert(Dataset &ds)
{
    const int count = contaDomicilios(dtbBaseDados, anoBase(), cgcEmpresa());
    if (count > 4) {
        Mensagem(m_dialogs,
                 QStringLiteral("Não pode ser cadastrado mais de 5 município para os domicílios atual e anterior!"));
        ds.cancel();
        throw SilentAbort();
    }
    if (count >= 1 && mudancaDomicilio())
        Mensagem(m_dialogs, QStringLiteral("Informe o município do Domicílio Fiscal Anterior."));
}

void TfDmDados::tbDomicilioBeforePost(Dataset &ds)
{
    const QString year = ds.fieldByName(QStringLiteral("AnoBase"))->asString();
    const QString registration = ds.fieldByName(QStringLiteral("CGCEmpresa"))->asString();
    const QString letter = ds.fieldByName(QStringLiteral("TipoDomicilio"))->asString();
    const QDate start = ds.fieldByName(QStringLiteral("DataDRFAntI"))->asDate();
    const QDate end = ds.fieldByName(QStringLiteral("DataDRFAntF"))->asDate();
    const QString name = ds.fieldByName(QStringLiteral("NomeMunicip"))->asString().trimmed();
    const auto focusEnd = [this] {
        if (fDomicilio)
            fDomicilio->endDateEdit().focus();
    };

    // 1. Both days lie in the base year.
    const bool startShown = fDomicilio ? !showsEmptyDate(fDomicilio->startDateEdit()) : start.isValid();
    if (startShown && start.year() != year.trimmed().toInt()) {
        Mensagem(m_dialogs, QStringLiteral("O Período Inicial de referência é diferente do Ano Base!"));
        if (fDomicilio)
            fDomicilio->startDateEdit().focus();
        throw SilentAbort();
    }
    const bool endShown = fDomicilio ? !showsEmptyDate(fDomicilio->endDateEdit()) : end.isValid();
    if (endShown && end.year() != year.trimmed().toInt()) {
        Mensagem(m_dialogs, QStringLiteral("O período final de referência é diferente do Ano Base!"));
        focusEnd();
        throw SilentAbort();
    }

    // 2. An earlier domicile ends the day before the next one ("A" after "B", "B" after "C", ...)
    //    starts; a missing next domicile fails the same way.
    static const QString earlier = QStringLiteral("BCDE");
    if (letter.size() == 1 && earlier.contains(letter)) {
        const QString next(QChar(letter.at(0).unicode() - 1));
        const QString description = DescreveDomicilio(dtbBaseDados, year, registration, next);
        if (end != leadingDate(description).addDays(-1)) {
            Mensagem(m_dialogs, QStringLiteral("A Data Inicial do Domicílio ") + description.mid(10).trimmed()
                                    + QStringLiteral(", deverá ser obrigatoriamente sequencial a Data Final do Domicílio \"")
                                    + letter + QStringLiteral("\" ") + name + QStringLiteral("."));
            focusEnd();
            throw SilentAbort();
        }
    }

    // 3. The current domicile starts the day after "B" ends.
    if (letter == QLatin1String("A")) {
        const QString description = DescreveDomicilioB(dtbBaseDados, year, registration);
        if (!description.isEmpty() && start != leadingDate(description).addDays(1)) {
            Mensagem(m_dialogs, QStringLiteral("A Data Inicial do Domicílio \"") + QStringLiteral("A")
                                    + QStringLiteral("\" ") + name
                                    + QStringLiteral(", deverá ser obrigatoriamente sequencial a Data Final do Domicílio ")
                                    + description.mid(10).trimmed() + QStringLiteral("."));
            focusEnd();
            throw SilentAbort();
        }
    }

    rememberStoredKey(ds);
}

} // namespace zef
