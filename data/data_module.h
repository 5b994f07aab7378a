#pragma once

#include "data/balance_test.h"
#include "data/declaration_key.h"
#include "data/window_links.h"
#include "engine/database.h"
#include "engine/query.h"
#include "engine/table.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <functional>
#include <utility>

namespace zef {

class Dialogs;

// The data module: the database, every shared table and query object, and the rules
// attached to them. One exists from start-up to the end of the program; windows use its
// objects directly and reach the user only through the Dialogs they hand it.
class TfDmDados : public QObject
{
    Q_OBJECT

public:
    static constexpr auto kTitle = "ZEF2026";
    static constexpr auto kPreviousInstallationDir = "C:\\ZEF2018\\db";

    TfDmDados(Dialogs &dialogs, const QString &programDir, QObject *parent = nullptr);
    ~TfDmDados() override;

    // The creation steps after the error handler is installed: title, password and
    // connection (a database of the earlier version has its indexes converted, in one
    // transaction, so that any SQLite tool can check it), the start-up fix-ups, the previous installation's taxpayers and the
    // `Importado` column. The first failing step throws and ends the rest.
    void DataModuleCreate();

    Dialogs &dialogs() const { return m_dialogs; }
    const QString &programDir() const { return m_programDir; }
    QString dbDir() const;

    // Runs the previous-installation import for a folder (set by the program; none headless).
    std::function<void(const QString &folder)> importarInstalacaoAnterior;
    // Where start-up looks for the previous installation.
    QString previousInstallationDir = QString::fromLatin1(kPreviousInstallationDir);

    Database dtbBaseDados;

    // The record rules live in the event members of these objects (beforeInsert,
    // beforePost, afterPost, onPostError, onCalcFields, afterInsert, and afterOpen/
    // afterScroll/afterCancel/afterDelete of tbZEF, afterOpen of tbProdDif, beforeOpen of the
    // tables that name municipalities): windows leave them alone and hear of state changes
    // through their HabilitaBotoes. The section tables refuse inserts; the editors create
    // lines through insert buffers of their own. A supplier's municipality is chosen by
    // setting tbProdDif's MunicipioID (its name NomeMunicip is looked up).
    Table tbZEF;
    Table tbEmpresa;
    Table tbMunicipio;
    Table tbAtividades;
    Table tbContador;
    Table tbCompras;
    Table tbVendas;
    Table tbEntrada;
    Table tbSaida;
    Table tblSaidasMun;
    Table tbCFOPOperacoes;
    Table tbProdDif;
    Table tbProdutosDiferidosNotas;
    Table tbEstoque;
    Table tbDomicilio;
    Table tbOperacoesA;
    Table tbTestaZEF;
    Table TblFindMunicip;

    Query qrDomMunicipio;
    Query qrTotalCompra;
    Query qrTotalVendas;
    Query qrTotalEntrada;
    Query qrTotalSaida;
    Query qrTotalSaidasMun;
    Query qrTotalCFOPOperacoes;
    Query qrTotalProdDif;
    Query qrTotalEstoque;

    // The current declaration's key, from tbZEF's current record.
    QString anoBase() const;
    QString cgcEmpresa() const;
    DeclarationKey chaveAtual() const { return {anoBase(), cgcEmpresa()}; }

    // The windows the record rules reach while they are open; their openers set them when
    // the window is created and clear them when it has closed. With a window closed its rules
    // go by the stored record alone.
    HeaderWindow *fCadZEF = nullptr;
    EditingWindow *fResponsavel = nullptr;
    EditingWindow *fContribuintes = nullptr;
    EditingWindow *fContador = nullptr;
    EditingWindow *fMunicipios = nullptr;
    EditingWindow *fAtividades = nullptr;
    DomicileWindow *fDomicilio = nullptr;
    SectionEditor *fCompra = nullptr;
    SectionEditor *fVendas = nullptr;
    SectionEditor *fEntradas = nullptr;
    SectionEditor *fSaidas = nullptr;
    SectionEditor *fCFOP = nullptr;
    SectionEditor *fSaidaMunic = nullptr;
    SectionEditor *fProdDiferido = nullptr;
    EditingWindow *fNotasDiferidas = nullptr;
    EditingWindow *fEstoque = nullptr;

    // The header's answers as the rules read them: the open header window's radio groups,
    // else the current declaration's StatusDRF and RegimeApuracao.
    bool semMudancaDomicilio() const;   // "NÃO" to item 2.1
    bool mudancaDomicilio() const;      // "SIM" to item 2.1
    bool regimeSimples() const;         // "Simples Nacional"

private:
    using Key = DeclarationKey;

    void linkObjects();
    void defineFields();
    void attachNotifications();
    void attachHeaderRules();
    void attachDomicileRules();
    void attachSectionRules();
    void attachRegisterRules();

    // Zef.DB
    void tbZEFAfterInsert(Dataset &ds);
    void tbZEFBeforePost(Dataset &ds);
    void tbZEFAfterPost(Dataset &ds);
    void refillHeader();
    void periodFromDomiciles(Dataset &ds);
    void clearSimplesValues(const QString &year, const QString &registration);
    // ZefMunAnterior.DB
    void tbDomicilioBeforeInsert(Dataset &ds);
    void tbDomicilioBeforePost(Dataset &ds);
    // Section tables
    void tbComprasBeforePost(Dataset &ds);
    void tbVendasBeforePost(Dataset &ds);
    void tbEntradaBeforePost(Dataset &ds);
    void tbSaidaBeforePost(Dataset &ds);
    void tbCFOPOperacoesBeforePost(Dataset &ds);
    void tblSaidasMunBeforePost(Dataset &ds);
    void tblSaidasMunCalcFields(Dataset &ds);
    void tbProdDifBeforePost(Dataset &ds);
    void tbProdDifCalcFields(Dataset &ds);
    void tbProdDifMunicipioChange();
    void tbProdutosDiferidosNotasAfterInsert(Dataset &ds);
    void tbProdutosDiferidosNotasCalcFields(Dataset &ds);
    void tbEstoqueBeforePost(Dataset &ds);
    void tbEstoqueCalcFields(Dataset &ds);

    // Shared steps of the rules.
    [[noreturn]] void recusa(const QString &message);
    void registroDuplicado(const EngineError &error, Dataset::PostAction &action);
    void reopenListQuery(SectionEditor *editor);
    void rememberStoredKey(Dataset &ds);
    void stamp(Dataset &ds);
    void afterSectionPost(Dataset &ds, SectionEditor *editor);
    Key declarationKey(const Dataset &record) const;
    bool balanceConfirmed(BalanceSection section, double total, double parts, const Key &key);
    void openMunicipalityNames();

    Dialogs &m_dialogs;
    QString m_programDir;
    // The key of the row each table is storing, for the stamp after it is stored.
    QHash<const Dataset *, Key> m_storedKeys;
};

} // namespace zef
