#include "data/data_module.h"

#include "data/catalogue.h"
#include "data/database_setup.h"
#include "data/dialogs.h"
#include "data/lookups.h"
#include "data/record_routines.h"

#include <QCoreApplication>
#include <QDir>

namespace zef {

TfDmDados::TfDmDados(Dialogs &dialogs, const QString &programDir, QObject *parent)
    : QObject(parent),
      dtbBaseDados(QStringLiteral("pathZEF")),
      tbZEF(dtbBaseDados, QStringLiteral("Zef.DB")),
      tbEmpresa(dtbBaseDados, QStringLiteral("Empresa.DB")),
      tbMunicipio(dtbBaseDados, QStringLiteral("Municip.DB")),
      tbAtividades(dtbBaseDados, QStringLiteral("atividades20.DB")),
      tbContador(dtbBaseDados, QStringLiteral("Contador.DB")),
      tbCompras(dtbBaseDados, QStringLiteral("Compras.DB")),
      tbVendas(dtbBaseDados, QStringLiteral("Vendas.DB")),
      tbEntrada(dtbBaseDados, QStringLiteral("Entrada.DB")),
      tbSaida(dtbBaseDados, QStringLiteral("Saidas.DB")),
      tblSaidasMun(dtbBaseDados, QStringLiteral("SaidasMun.DB")),
      tbCFOPOperacoes(dtbBaseDados, QStringLiteral("CFOPOperacoes.DB")),
      tbProdDif(dtbBaseDados, QStringLiteral("ProdutosDiferidos.DB")),
      tbProdutosDiferidosNotas(dtbBaseDados, QStringLiteral("ProdutosDiferidosNotas.DB")),
      tbEstoque(dtbBaseDados, QStringLiteral("Estoque.DB")),
      tbDomicilio(dtbBaseDados, QStringLiteral("ZefMunAnterior.DB")),
      tbOperacoesA(dtbBaseDados, QStringLiteral("Operacoes.DB")),
      tbTestaZEF(dtbBaseDados, QStringLiteral("TestaZEF.db")),
      TblFindMunicip(dtbBaseDados, QStringLiteral("Municip.DB")),
      qrDomMunicipio(dtbBaseDados),
      qrTotalCompra(dtbBaseDados),
      qrTotalVendas(dtbBaseDados),
      qrTotalEntrada(dtbBaseDados),
      qrTotalSaida(dtbBaseDados),
      qrTotalSaidasMun(dtbBaseDados),
      qrTotalCFOPOperacoes(dtbBaseDados),
      qrTotalProdDif(dtbBaseDados),
      qrTotalEstoque(dtbBaseDados),
      m_dialogs(dialogs),
      m_programDir(programDir)
{
    dtbBaseDados.setCatalogue(tableCatalogue());
    linkObjects();
    defineFields();
    attachNotifications();
    attachHeaderRules();
    attachDomicileRules();
    attachSectionRules();
    attachRegisterRules();
}

void TfDmDados::attachRegisterRules()
{
    // A second accountant with a stored CPF is told as every other register tells it; the row
    // stays as keyed.
    tbContador.onPostError = [this](Dataset &, const EngineError &e, Dataset::PostAction &action) {
        registroDuplicado(e, action);
    };
}

TfDmDados::~TfDmDados()
{
    tbTestaZEF.close();
}

void TfDmDados::linkObjects()
{
    const QString key = QStringLiteral("AnoBase;CGCEmpresa");
    struct Named {
        Dataset *dataset;
        const char *name;
    };
    const Named names[] = {
        {&tbZEF, "tbZEF"}, {&tbEmpresa, "tbEmpresa"}, {&tbMunicipio, "tbMunicipio"},
        {&tbAtividades, "tbAtividades"}, {&tbContador, "tbContador"}, {&tbCompras, "tbCompras"},
        {&tbVendas, "tbVendas"}, {&tbEntrada, "tbEntrada"}, {&tbSaida, "tbSaida"},
        {&tblSaidasMun, "tblSaidasMun"}, {&tbCFOPOperacoes, "tbCFOPOperacoes"}, {&tbProdDif, "tbProdDif"},
        {&tbProdutosDiferidosNotas, "tbProdutosDiferidosNotas"}, {&tbEstoque, "tbEstoque"},
        {&tbDomicilio, "tbDomicilio"}, {&tbOperacoesA, "tbOperacoesA"}, {&tbTestaZEF, "tbTestaZEF"},
        {&TblFindMunicip, "TblFindMunicip"}, {&qrDomMunicipio, "qrDomMunicipio"},
        {&qrTotalCompra, "qrTotalCompra"}, {&qrTotalVendas, "qrTotalVendas"}, {&qrTotalEntrada, "qrTotalEntrada"},
        {&qrTotalSaida, "qrTotalSaida"}, {&qrTotalSaidasMun, "qrTotalSaidasMun"},
        {&qrTotalCFOPOperacoes, "qrTotalCFOPOperacoes"}, {&qrTotalProdDif, "qrTotalProdDif"},
        {&qrTotalEstoque, "qrTotalEstoque"},
    };
    for (const Named &n : names)
        n.dataset->setObjectName(QString::fromLatin1(n.name));

    tbZEF.setIndexFieldNames(key);
    tbEmpresa.setIndexFieldNames(QStringLiteral("InscricaoEmpresa"));
    tbEmpresa.setMasterSource(&tbZEF, QStringLiteral("CGCEmpresa"));
    // The municipality and activity registers edit these two and show and search every row:
    // tied to the current taxpayer they would offer one row of the whole register.
    tbMunicipio.setIndexFieldNames(QStringLiteral("Codigo"));
    tbAtividades.setIndexFieldNames(QStringLiteral("CDATIVIDADE"));
    tbContador.setIndexFieldNames(QStringLiteral("CPFContador"));
    tbContador.setMasterSource(&tbZEF, QStringLiteral("CPFContador"));

    // The section tables follow the current declaration, in the order of their keys.
    for (Table *section : {&tbCompras, &tbVendas, &tbEntrada, &tbSaida, &tblSaidasMun, &tbCFOPOperacoes,
                           &tbProdDif, &tbEstoque, &tbDomicilio, &tbOperacoesA})
        section->setMasterSource(&tbZEF, key);
    tbCompras.setIndexFieldNames(key);
    tbVendas.setIndexFieldNames(key);
    tbEntrada.setIndexFieldNames(QStringLiteral("AnoBase;CGCEmpresa;UFEntrada;TipoRegime"));
    tbSaida.setIndexFieldNames(key);
    tblSaidasMun.setIndexFieldNames(QStringLiteral("AnoBase;CGCEmpresa;MunicipioID;TipoRegime;TipoDomicilio;CodMunicipio"));
    tbCFOPOperacoes.setIndexFieldNames(QStringLiteral("AnoBase;CGCEmpresa;TipoEntSai;CFOP;TipoDomicilio;CodMunicipio"));
    tbProdDif.setIndexFieldNames(key);
    tbEstoque.setIndexFieldNames(key);
    tbDomicilio.setIndexFieldNames(QStringLiteral("AnoBase;CGCEmpresa;DataDRFAntI;DataDRFAntF;TipoDomicilio"));
    tbOperacoesA.setIndexFieldNames(key);
    tbOperacoesA.setFilter(QStringLiteral("TipoRegime='A'"));
    tbOperacoesA.setFiltered(true);

    tbProdutosDiferidosNotas.setIndexFieldNames(QStringLiteral("AnoBase;CGCEmpresa;IEOrigem;TipoDomicilio"));
    tbProdutosDiferidosNotas.setMasterSource(&tbProdDif, QStringLiteral("AnoBase;CGCEmpresa;IEOrigem;TipoDomicilio"));

    TblFindMunicip.setIndexName(QStringLiteral("IDXDESCRICAO"));
    TblFindMunicip.setFilter(QStringLiteral("UF='VD'"));
    TblFindMunicip.setFiltered(true);

    qrDomMunicipio.setSql(QStringLiteral(
        "select m.Codigo as Codigo, m.Descricao as Descricao,TipoDomicilio from Municip m, ZefMunAnterior da "
        "where m.Codigo = da.CodMunicipioAnt and AnoBase = :AnoBase and CGCEmpresa = :CGCEmpresa"));
}

namespace {

FieldDef calculated(const QString &name, FieldType type, int size = 0)
{
    FieldDef def;
    def.name = name;
    def.type = type;
    def.size = size;
    if (type == FieldType::Float)
        def.displayFormat = QStringLiteral("#,###,###,##0.00");
    return def;
}

FieldDef amount(const QString &name)
{
    return calculated(name, FieldType::Float);
}

FieldDef text(const QString &name, int size)
{
    return calculated(name, FieldType::String, size);
}

// Calculated fields named by a stem and the domicile letters A to E (or A and B, the regimes).
void perLetter(Dataset &ds, const QString &stem, const QString &letters, FieldType type, int size = 0)
{
    for (const QChar letter : letters)
        ds.addCalculatedField(calculated(stem + letter, type, size));
}

} // namespace

void TfDmDados::defineFields()
{
    const QString domiciles = QStringLiteral("ABCDE");
    const QString regimes = QStringLiteral("AB");
    // The name of a domicile's municipality, from the domiciles of the current declaration.
    const auto domicileName = [this](Dataset &ds, const QString &name, const QString &keyField) {
        ds.addLookupField(text(name, 50), keyField, &qrDomMunicipio, QStringLiteral("Codigo"),
                          QStringLiteral("Descricao"));
    };
    // The name of a municipality of Vardelo.
    const auto vardeloName = [this](Dataset &ds, const QString &name, const QString &keyField) {
        ds.addLookupField(text(name, 50), keyField, &TblFindMunicip, QStringLiteral("Codigo"),
                          QStringLiteral("Descricao"));
    };

    tbEmpresa.addCalculatedField(text(QStringLiteral("CodMunicipioAnt"), 7));

    vardeloName(tbDomicilio, QStringLiteral("NomeMunicip"), QStringLiteral("CodMunicipioAnt"));

    for (const char *stem : {"TotalVlrContabil", "TotalBaseCalculo", "TotalOutras", "TotalSubTributaria"})
        perLetter(tbCompras, QString::fromLatin1(stem), domiciles, FieldType::Float);
    domicileName(tbCompras, QStringLiteral("NomMunicipio"), QStringLiteral("CodMunicipio"));

    for (const char *stem : {"TotVlrContabeis", "TotBaseCalculo", "TotOutras", "TotSubTributaria"})
        perLetter(tbVendas, QString::fromLatin1(stem), regimes, FieldType::Float);
    domicileName(tbVendas, QStringLiteral("NomMunicipio"), QStringLiteral("CodMunicipio"));

    for (const char *stem : {"TotVlrContabilEntrada", "TotBaseCalculoEntrada", "TotOutrasEntradas",
                             "TotPetroleoEnergia", "TotOutrosProdutosEntrada"})
        perLetter(tbEntrada, QString::fromLatin1(stem), regimes, FieldType::Float);
    domicileName(tbEntrada, QStringLiteral("NomMunicipio"), QStringLiteral("CodMunicipio"));

    for (const char *stem : {"TotVlrContSaidaContrib", "TotVlrContSaidaNContrib", "TotBaseCalcSaidaContrib",
                             "TotBaseCalcSaidaNContrib", "TotOutrasSaidas", "TotICMSSubTribSaidas"})
        perLetter(tbSaida, QString::fromLatin1(stem), regimes, FieldType::Float);
    domicileName(tbSaida, QStringLiteral("NomMunicipio"), QStringLiteral("Codmunicipio"));

    perLetter(tbCFOPOperacoes, QStringLiteral("Domicilio"), domiciles, FieldType::String, 1);
    perLetter(tbCFOPOperacoes, QStringLiteral("NomMunicip"), domiciles, FieldType::String, 50);
    for (const char *stem : {"VlrContabil", "BaseCalculo", "Outras", "SubTributaria"})
        perLetter(tbCFOPOperacoes, QString::fromLatin1(stem), domiciles, FieldType::Float);
    tbCFOPOperacoes.addLookupField(text(QStringLiteral("TpDomicilio"), 1), QStringLiteral("CodMunicipio"),
                                   &qrDomMunicipio, QStringLiteral("Codigo"), QStringLiteral("TipoDomicilio"));
    domicileName(tbCFOPOperacoes, QStringLiteral("NomMunicipio"), QStringLiteral("CodMunicipio"));

    vardeloName(tblSaidasMun, QStringLiteral("NomeMunicip"), QStringLiteral("MunicipioID"));
    tblSaidasMun.addCalculatedField(amount(QStringLiteral("Total")));
    for (const char *stem : {"Total", "TotVlrContabil", "TotDevolucoes"})
        perLetter(tblSaidasMun, QString::fromLatin1(stem), regimes, FieldType::Float);
    domicileName(tblSaidasMun, QStringLiteral("NomMunicipio"), QStringLiteral("CodMunicipio"));

    vardeloName(tbProdDif, QStringLiteral("NomeMunicip"), QStringLiteral("MunicipioID"));
    domicileName(tbProdDif, QStringLiteral("NomeMunicipDom"), QStringLiteral("CodMunicipio"));
    tbProdDif.addLookupField(text(QStringLiteral("TpDomicilio"), 1), QStringLiteral("CodMunicipio"), &qrDomMunicipio,
                             QStringLiteral("Codigo"), QStringLiteral("TipoDomicilio"));
    perLetter(tbProdDif, QStringLiteral("Domicilio"), domiciles, FieldType::String, 1);
    perLetter(tbProdDif, QStringLiteral("NomMunicip"), domiciles, FieldType::String, 50);
    perLetter(tbProdDif, QStringLiteral("TotalVlrDiferido"), domiciles, FieldType::Float);
    tbProdDif.addCalculatedField(text(QStringLiteral("campoCalculado"), 50));
    tbProdDif.addCalculatedField(text(QStringLiteral("Notas"), 20));
    tbProdDif.addCalculatedField(amount(QStringLiteral("TotVlrDiferido")));

    tbProdutosDiferidosNotas.addCalculatedField(amount(QStringLiteral("VlrTotalDiferido")));

    tbEstoque.addCalculatedField(amount(QStringLiteral("ccTotalInicial")));
    tbEstoque.addCalculatedField(amount(QStringLiteral("ccTotalFinal")));

    tbOperacoesA.addCalculatedField(amount(QStringLiteral("ccVlrTotalOperacao")));

    for (Table *named : {&tbDomicilio, &tblSaidasMun, &tbProdDif})
        named->beforeOpen = [this](Dataset &) { openMunicipalityNames(); };
}

QString TfDmDados::dbDir() const
{
    return QDir(m_programDir).filePath(QLatin1String(kDatabaseDir));
}

QString TfDmDados::anoBase() const
{
    return tbZEF.active() ? tbZEF.fieldByName(QStringLiteral("AnoBase"))->asString() : QString();
}

QString TfDmDados::cgcEmpresa() const
{
    return tbZEF.active() ? tbZEF.fieldByName(QStringLiteral("CGCEmpresa"))->asString() : QString();
}

bool TfDmDados::semMudancaDomicilio() const
{
    if (fCadZEF)
        return fCadZEF->domicileAnswer() == HeaderWindow::DomicileAnswer::Nao;
    return tbZEF.active() && tbZEF.fieldByName(QStringLiteral("StatusDRF"))->asString() == QLatin1String("N");
}

bool TfDmDados::mudancaDomicilio() const
{
    if (fCadZEF)
        return fCadZEF->domicileAnswer() == HeaderWindow::DomicileAnswer::Sim;
    return tbZEF.active() && tbZEF.fieldByName(QStringLiteral("StatusDRF"))->asString() == QLatin1String("S");
}

bool TfDmDados::regimeSimples() const
{
    if (fCadZEF)
        return fCadZEF->simplesSelected();
    return tbZEF.active() && tbZEF.fieldByName(QStringLiteral("RegimeApuracao"))->asString() == QLatin1String("4");
}

void TfDmDados::attachNotifications()
{
    // The windows' buttons follow the editing state of the table each one edits.
    const auto follow = [this](Dataset &table, std::function<QList<EditingWindow *>()> windows) {
        connect(&table, &Dataset::stateChanged, this, [&table, windows = std::move(windows)] {
            const bool editing = table.editing();
            for (EditingWindow *window : windows())
                if (window)
                    window->HabilitaBotoes(editing);
        });
    };
    follow(tbZEF, [this] { return QList<EditingWindow *>{fCadZEF, fResponsavel}; });
    follow(tbEmpresa, [this] { return QList<EditingWindow *>{fContribuintes}; });
    follow(tbContador, [this] { return QList<EditingWindow *>{fContador}; });
    follow(tbMunicipio, [this] { return QList<EditingWindow *>{fMunicipios}; });
    follow(tbAtividades, [this] { return QList<EditingWindow *>{fAtividades}; });
    follow(tbDomicilio, [this] { return QList<EditingWindow *>{fDomicilio}; });
    follow(tbCompras, [this] { return QList<EditingWindow *>{fCompra}; });
    follow(tbEntrada, [this] { return QList<EditingWindow *>{fEntradas}; });
    follow(tbVendas, [this] { return QList<EditingWindow *>{fVendas}; });
    follow(tbSaida, [this] { return QList<EditingWindow *>{fSaidas}; });
    follow(tbCFOPOperacoes, [this] { return QList<EditingWindow *>{fCFOP}; });
    follow(tblSaidasMun, [this] { return QList<EditingWindow *>{fSaidaMunic}; });
    follow(tbProdDif, [this] { return QList<EditingWindow *>{fProdDiferido}; });
    follow(tbProdutosDiferidosNotas, [this] { return QList<EditingWindow *>{fNotasDiferidas}; });
    follow(tbEstoque, [this] { return QList<EditingWindow *>{fEstoque}; });
    // Operacoes.DB notifies nobody.
}

// ---------------------------------------------------------------------------------------------
// Steps shared by the rules

void TfDmDados::recusa(const QString &message)
{
    Mensagem(m_dialogs, message);
    throw SilentAbort();
}

void TfDmDados::registroDuplicado(const EngineError &error, Dataset::PostAction &action)
{
    if (!isKeyViolation(error))
        return;
    Mensagem(m_dialogs, QStringLiteral("Registro duplicado!"));
    action = Dataset::PostAction::Abort;
}

void TfDmDados::reopenListQuery(SectionEditor *editor)
{
    if (!editor)
        return;
    Query &list = editor->listQuery();
    list.close();
    bindKey(list, chaveAtual());
    list.open();
}

TfDmDados::Key TfDmDados::declarationKey(const Dataset &record) const
{
    // The section tables follow the current declaration; without one (tbZEF closed) the
    // record's own key is the declaration it belongs to.
    if (tbZEF.active() && tbZEF.recNo() > 0)
        return chaveAtual();
    return chaveDoRegistro(record);
}

void TfDmDados::rememberStoredKey(Dataset &ds)
{
    m_storedKeys.insert(&ds, chaveDoRegistro(ds));
}

void TfDmDados::stamp(Dataset &ds)
{
    // The key the row was stored with: after the store the table may show another row.
    const Key key = m_storedKeys.contains(&ds) ? m_storedKeys.take(&ds) : chaveDoRegistro(ds);
    AtualizaDataDeclaracao(dtbBaseDados, key.anoBase, key.cgcEmpresa);
}

void TfDmDados::afterSectionPost(Dataset &ds, SectionEditor *editor)
{
    reopenListQuery(editor);
    stamp(ds);
}

bool TfDmDados::balanceConfirmed(BalanceSection section, double total, double parts, const Key &key)
{
    if (SomaConfere(total, parts))
        return true;
    const bool noMove = semMudancaDomicilio();
    const bool simples = regimeSimples();
    bool differential = false;
    if (section == BalanceSection::Entrada && !noMove && simples) {
        Query q(dtbBaseDados);
        q.addLine(QStringLiteral("select count(TipoEntradas) from Compras where AnoBase = :AnoBase"));
        q.addLine(QStringLiteral(" and TipoEntradas = '07 - DIFERENCIAL DE ALÍQUOTA'"));
        q.addLine(QStringLiteral(" and CGCEmpresa = :CGCEmpresa"));
        bindKey(q, key);
        differential = q.scalar().toInt() > 0;
    }
    return Confirma(m_dialogs, textoBalanco(mensagemBalanco(section, noMove, simples, differential)));
}

void TfDmDados::openMunicipalityNames()
{
    // The names of MunicipioID and CodMunicipioAnt are looked up in TblFindMunicip, which
    // has to be open when the rows are read.
    if (!TblFindMunicip.active())
        TblFindMunicip.open();
}

void TfDmDados::DataModuleCreate()
{
    QCoreApplication::setApplicationName(QString::fromLatin1(kTitle));

    dtbBaseDados.disconnect();
    dtbBaseDados.addPassword(QString::fromLatin1(kTablePassword));
    dtbBaseDados.setParam(QStringLiteral("PATH"), dbDir());
    dtbBaseDados.connect();
    dtbBaseDados.convertStoredCollations();

    {
        Query q(dtbBaseDados, QStringLiteral("select Codigo from municip where Codigo = :Codigo"));
        q.setParam(QStringLiteral("Codigo"), QStringLiteral("9999999"));
        q.open();
        if (q.isEmpty()) {
            Query ins(dtbBaseDados,
                      QStringLiteral("insert into municip (Codigo, Descricao, UF) values (:Codigo, :Descricao, :UF)"));
            ins.setParam(QStringLiteral("Codigo"), QStringLiteral("9999999"));
            ins.setParam(QStringLiteral("Descricao"), QStringLiteral("MUNICÍPIO A CLASSIFICAR"));
            ins.setParam(QStringLiteral("UF"), QStringLiteral("VD"));
            ins.execSql();
        }
    }

    Query(dtbBaseDados, QStringLiteral("delete from saidasmun where municipioid IS NULL")).execSql();

    tbEmpresa.open();
    if (tbEmpresa.isEmpty() && QDir(previousInstallationDir).exists() && importarInstalacaoAnterior)
        importarInstalacaoAnterior(previousInstallationDir);

    if (!ExisteCampo(dtbBaseDados, QStringLiteral("zef"), QStringLiteral("Importado"))) {
        Query(dtbBaseDados, QStringLiteral("alter table zef add Importado boolean ")).execSql();
        Query(dtbBaseDados, QStringLiteral("update zef set Importado = true ")).execSql();
    }
}

} // namespace zef
