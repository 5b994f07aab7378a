#include "sections/cfop.h"

#include "app/abre_janela.h"
#include "data/data_module.h"

#include <QComboBox>
#include <QGroupBox>

namespace zef {

using namespace Qt::StringLiterals;

TfCFOP::TfCFOP(TfDmDados &dm, Dialogs &dialogs, QWidget *parent)
    : JanelaSecao(dm, dialogs, descricaoCFOP(), dm.tbCFOPOperacoes, u"fCFOP"_s, u"CFOP"_s, u"tblInsOpCFOP"_s, parent),
      m_ligacao(dm.fCFOP, static_cast<SectionEditor *>(this))
{
    constroiJanela(u"cbCFOP"_s, QString(), QString(), u"QryCFOP"_s);
}

QStringList TfCFOP::itensChave()
{
    return listaCFOP(dm().dtbBaseDados, SentidoCFOP(), chave().anoBase);
}

void TfCFOP::depoisDePreencher()
{
    grupo()->setTitle(comboChave()->count() > 0 ? tituloGrupoCFOP(SentidoCFOP()) : QString());
}

void TfCFOP::depoisDeGravar()
{
    FocaCampo(comboChave());
}

} // namespace zef
