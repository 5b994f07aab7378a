#include "register_fixture.h"

#include "header/atividades.h"
#include "header/contador.h"
#include "header/contribuintes.h"
#include "header/municipios.h"
#include "header/pesquisa_atividade.h"
#include "header/pesquisa_contador.h"
#include "header/pesquisa_contribuinte.h"
#include "header/pesquisa_municipio.h"

#include <QDir>
#include <QLineEdit>
#include <QHeaderView>
#include <QPixmap>

#include "app/widgets/db_grid.h"

using namespace zef;
using namespace zef::fixture;
using namespace Qt::StringLiterals;

// Every register and look-up window comes up with its data at 1366x768 and fits the screen.
// With ZEF_SCREENSHOT_DIR set, the pictures are written there (docs/screenshots).
class TstRegisterScreens : public QObject
{
    Q_OBJECT

private slots:
    void windowsFitAndShow();

private:
    void grava(QWidget &janela, const QString &nome);
};

void TstRegisterScreens::grava(QWidget &janela, const QString &nome)
{
    QVERIFY(janela.width() <= 1366 && janela.height() <= 768);
    const QPixmap imagem = janela.grab();
    QVERIFY(!imagem.isNull());
    const QString pasta = qEnvironmentVariable("ZEF_SCREENSHOT_DIR");
    if (!pasta.isEmpty())
        QVERIFY(imagem.save(QDir(pasta).filePath(nome + u".png"_s)));
}

void TstRegisterScreens::windowsFitAndShow()
{
    RegisterFixture f;
    f.addTaxpayer(u"290000017"_s, u"DÁVILA COMÉRCIO DE INFORMÁTICA LTDA"_s, u"4751201"_s);
    f.addTaxpayer(u"290000025"_s, u"BETA MATERIAIS DE CONSTRUÇÃO LTDA"_s);
    f.addAccountant(u"52998224725"_s, u"MARIA DAS GRAÇAS SILVA"_s);
    f.addAccountant(u"11144477735"_s, u"JOÃO PEREIRA LIMA"_s);
    f.dm->tbEmpresa.refresh();

    TfContribuintes &c = CriaJanela(fContribuintes, *f.dm, f.dialogs);
    QVERIFY(mostra(c));
    grava(c, u"contribuintes"_s);
    c.hide();

    TfContador &ct = CriaJanela(fContador, *f.dm, f.dialogs);
    QVERIFY(mostra(ct));
    grava(ct, u"contador"_s);
    ct.hide();

    f.dm->tbEmpresa.close();
    TfMunicipios &m = CriaJanela(fMunicipios, *f.dm, f.dialogs);
    QVERIFY(mostra(m));
    f.dm->tbMunicipio.setRecNo(3);
    grava(m, u"municipios"_s);
    m.hide();

    TfAtividades &a = CriaJanela(fAtividades, *f.dm, f.dialogs);
    QVERIFY(mostra(a));
    grava(a, u"atividades"_s);
    a.hide();

    const auto pesquisa = [&](TfPesquisaBase &p, const QString &texto, const QString &nome) {
        defineGanchoJanelaModal([&](QDialog &) {
            p.edPesquisa()->insert(texto);
            // No heading is cut ("Inscrição Estadual" was).
            for (int i = 0; i < p.grid()->model()->columnCount(); ++i)
                QVERIFY2(p.grid()->columnWidth(i) >= p.grid()->horizontalHeader()->sectionSizeHint(i),
                         qPrintable(nome + QString::number(i)));
            grava(p, nome);
            p.reject();
        });
        MostraModal(p);
    };
    TfPesquisaMunicipio &pm = CriaJanela(fPesquisaMunicipio, *f.dm);
    pm.defineFiltro(u"UF='VD' and Codigo<>'9999999' and Codigo<>'1727000'"_s);
    pesquisa(pm, u"ARA"_s, u"pesquisa_municipio"_s);
    pesquisa(CriaJanela(fPesquisaAtividade, *f.dm), u"COMERCIO VAREJISTA"_s, u"pesquisa_atividade"_s);
    pesquisa(CriaJanela(fPesquisaContribuinte, *f.dm), u"BE"_s, u"pesquisa_contribuinte"_s);
    pesquisa(CriaJanela(fPesquisaContador, *f.dm), u"MA"_s, u"pesquisa_contador"_s);
}

QTEST_MAIN(TstRegisterScreens)
#include "tst_register_screens.moc"
