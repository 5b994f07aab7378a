#pragma once

// The register and header windows' tests: a fresh installation with its data module, and the
// keyboard helpers of the test support.

#include "app/abre_janela.h"
#include "app/widgets/db_edit.h"
#include "data/data_module.h"
#include "engine/query.h"
#include "header/cad_zef.h"
#include "header/register_windows.h"
#include "tests/support/fresh_install.h"
#include "tests/support/keyboard.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QVariantMap>
#include <QtTest>

namespace zef::fixture {

// A fresh installation with its data module; the windows the tests opened are freed before the
// data module goes.
class RegisterFixture : public testsupport::DataModuleInstall
{
public:
    ~RegisterFixture()
    {
        defineGanchoJanelaModal({});
        fCadZEF.reset();
        liberaJanelasCadastro();
        dm.reset();
    }

    void addTaxpayer(const QString &ie, const QString &razao, const QString &atividade = QStringLiteral("0111301"))
    {
        exec(QStringLiteral("insert into Empresa (InscricaoEmpresa, CGCEmpresa, RazaoSocial, NomeFantasia, Endereco, "
                            "CodigoAtividade, CodigoMunicipio, UF, CEP, Senha) values (:ie, '11222333000181', "
                            ":razao, 'FANTASIA', 'RUA A', :atividade, '1721000', 'VD', '77000000', '1234')"),
             {{QStringLiteral("ie"), ie}, {QStringLiteral("razao"), razao}, {QStringLiteral("atividade"), atividade}});
    }

    void addAccountant(const QString &cpf, const QString &nome)
    {
        exec(QStringLiteral("insert into Contador (CPFContador, CRCContador, NomeContador, EnderecoContador, "
                            "FoneContador) values (:cpf, 'VD-1', :nome, 'RUA B', '6332150000')"),
             {{QStringLiteral("cpf"), cpf}, {QStringLiteral("nome"), nome}});
    }
};

using testsupport::digita;
using testsupport::enter;
using testsupport::mostra;
using testsupport::tab;

// Answers the next real message box with Enter, as a hurried user does, once it is up; `texto`
// receives its text.
inline void enterNaProximaCaixa(QString *texto)
{
    QTimer::singleShot(0, qApp, [texto] {
        auto *caixa = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!caixa) {
            enterNaProximaCaixa(texto);
            return;
        }
        *texto = caixa->text();
        QTest::keyClick(caixa, Qt::Key_Return);
    });
}

} // namespace zef::fixture
