// Time to open the entries-by-type editor and the CFOP editor over the largest declaration the
// tables allow (every entry type, and every entry CFOP code, for five domiciles) and choose a key.
//
//   QT_QPA_PLATFORM=offscreen bench_editores [runs]
//
// Figures are wall-clock milliseconds, best of the runs; the database is built once beforehand.

#include "data/data_module.h"
#include "data/database_setup.h"
#include "data/scripted_dialogs.h"
#include "data/sections/section_lines.h"
#include "engine/query.h"
#include "sections/cfop.h"
#include "sections/compra.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace zef;
using namespace Qt::StringLiterals;

namespace {

const DeclarationKey kKey{u"2025"_s, u"290000017"_s};

void exec(TfDmDados &dm, const QString &sql)
{
    Query q(dm.dtbBaseDados, sql);
    q.execSql();
}

void montaDeclaracao(TfDmDados &dm)
{
    exec(dm, u"insert into Empresa (InscricaoEmpresa, CGCEmpresa, RazaoSocial, CodigoMunicipio, UF) values "
             u"('290000017', '11222333000181', 'ALFA COMÉRCIO LTDA', '1721000', 'VD')"_s);
    exec(dm, u"insert into Zef (AnoBase, CGCEmpresa, CodigoMunicipio, RegimeApuracao, TipoEscrita, Finalidade, "
             u"TipoEstabelecimento, Retificacao, StatusDRF) values ('2025', '290000017', '1721000', '3', '1', '1', "
             u"'1', 'N', 'S')"_s);
    const QStringList municipios{u"1721000"_s, u"1702356"_s, u"1708650"_s, u"1759802"_s, u"1703057"_s};
    for (int i = 0; i < 5; ++i)
        exec(dm, u"insert into ZefMunAnterior (AnoBase, CGCEmpresa, TipoDomicilio, CodMunicipioAnt, DataDRFAntI, "
                 u"DataDRFAntF) values ('2025', '290000017', '%1', '%2', '2025-0%3-01', '2025-0%3-28')"_s
                     .arg(QChar(u'A' + i))
                     .arg(municipios.at(i))
                     .arg(i + 1));
    SectionLines compras(dm.dtbBaseDados, descricaoCompras(), u"tblInsCompras"_s);
    for (const QString &tipo : tiposEntrada())
        compras.GeraLinhas(kKey, tipo, false);
    SectionLines cfop(dm.dtbBaseDados, descricaoCFOP(), u"tblInsOpCFOP"_s);
    cfop.setDirection(u"E"_s);
    for (const QString &item : listaCFOP(dm.dtbBaseDados, u"E"_s, kKey.anoBase))
        cfop.GeraLinhas(kKey, item.left(4), false);
    exec(dm, u"update Compras set VlrContabil = 10, BaseCalculo = 10"_s);
    exec(dm, u"update CFOPOperacoes set VlrContabil = 10, BaseCalculo = 10"_s);
}

double melhor(int runs, const std::function<void()> &passo)
{
    double best = 1e300;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer t;
        t.start();
        passo();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

// Shows the editor, chooses its first key as the user does, and closes it.
void abreEscolhe(JanelaSecao &janela)
{
    janela.show();
    QComboBox *combo = janela.comboChave();
    combo->setCurrentIndex(0);
    emit combo->activated(0);
    QApplication::processEvents();
    janela.close();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    QTemporaryDir home;
    createDatabase(home.path());
    ScriptedDialogs dialogs(Dialogs::Button::Yes);
    TfDmDados dm(dialogs, home.path());
    dm.DataModuleCreate();
    montaDeclaracao(dm);
    dm.tbZEF.open();
    dm.tbZEF.findKey({kKey.anoBase, kKey.cgcEmpresa});

    const int linhasCompras = Query(dm.dtbBaseDados, u"select count(*) from Compras"_s).scalar().toInt();
    const int linhasCFOP = Query(dm.dtbBaseDados, u"select count(*) from CFOPOperacoes"_s).scalar().toInt();

    const double compra = melhor(runs, [&] {
        TfCompra janela(dm, dialogs);
        abreEscolhe(janela);
    });
    const double cfop = melhor(runs, [&] {
        dm.tbCFOPOperacoes.setFilter(u"TipoEntSai='E'"_s);
        dm.tbCFOPOperacoes.setFiltered(true);
        TfCFOP janela(dm, dialogs);
        janela.setSentidoCFOP(u"E"_s);
        abreEscolhe(janela);
    });
    std::printf("TfCompra over %d lines: %.1f ms (open, choose a type, close)\n", linhasCompras, compra);
    std::printf("TfCFOP over %d lines: %.1f ms (open, choose a code, close)\n", linhasCFOP, cfop);
    std::printf("target: under 100 ms each\n");
    return compra < 100 && cfop < 100 ? 0 : 1;
}
