#pragma once

// A fresh installation with its data module, scripted dialogs and helpers to key into the
// register windows as a person does.

#include "app/abre_janela.h"
#include "app/widgets/db_edit.h"
#include "data/data_module.h"
#include "data/database_setup.h"
#include "data/scripted_dialogs.h"
#include "engine/query.h"
#include "header/cad_zef.h"
#include "header/register_windows.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QTemporaryDir>
#include <QVariantMap>
#include <QtTest>

#include <memory>

namespace zef::fixture {

class RegisterFixture
{
public:
    RegisterFixture()
    {
        QVERIFY(m_home.isValid());
        createDatabase(m_home.path());
        dm = std::make_unique<TfDmDados>(dialogs, m_home.path());
        dm->DataModuleCreate();
    }

    ~RegisterFixture()
    {
        defineGanchoJanelaModal({});
        fCadZEF.reset();
        liberaJanelasCadastro();
        dm.reset();
    }

    RegisterFixture(const RegisterFixture &) = delete;
    RegisterFixture &operator=(const RegisterFixture &) = delete;

    int exec(const QString &sql)
    {
        Query q(dm->dtbBaseDados, sql);
        return q.execSql();
    }

    QVariant value(const QString &sql)
    {
        Query q(dm->dtbBaseDados, sql);
        return q.scalar();
    }

    void addTaxpayer(const QString &ie, const QString &razao, const QString &atividade = QStringLiteral("0111301"))
    {
        Query q(dm->dtbBaseDados,
                QStringLiteral("insert into Empresa (InscricaoEmpresa, CGCEmpresa, RazaoSocial, NomeFantasia, Endereco, "
                               "CodigoAtividade, CodigoMunicipio, UF, CEP, Senha) values (:ie, '11222333000181', "
                               ":razao, 'FANTASIA', 'RUA A', :atividade, '1721000', 'VD', '77000000', '1234')"));
        q.setParam(QStringLiteral("ie"), ie);
        q.setParam(QStringLiteral("razao"), razao);
        q.setParam(QStringLiteral("atividade"), atividade);
        q.execSql();
    }

    void addAccountant(const QString &cpf, const QString &nome)
    {
        Query q(dm->dtbBaseDados, QStringLiteral("insert into Contador (CPFContador, CRCContador, NomeContador, "
                                                 "EnderecoContador, FoneContador) values (:cpf, 'VD-1', :nome, "
                                                 "'RUA B', '6332150000')"));
        q.setParam(QStringLiteral("cpf"), cpf);
        q.setParam(QStringLiteral("nome"), nome);
        q.execSql();
    }

    ScriptedDialogs dialogs;
    std::unique_ptr<TfDmDados> dm;

private:
    QTemporaryDir m_home;
};

// Shows a window as the user gets it and waits until it can take keys.
inline bool mostra(QWidget &janela)
{
    janela.show();
    QApplication::setActiveWindow(&janela);
    return QTest::qWaitForWindowActive(&janela);
}

// Puts the focus into the edit and keys the text over what it showed.
inline void digita(QLineEdit *edit, const QString &texto)
{
    // A modal look-up that has just closed may leave no window active on this platform.
    if (QApplication::activeWindow() != edit->window()) {
        edit->window()->activateWindow();
        QApplication::setActiveWindow(edit->window());
    }
    edit->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(edit->hasFocus());
    edit->selectAll();
    if (texto.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, texto);
}

// Leaves the control with the focus as Tab does.
inline void tab()
{
    QWidget *w = QApplication::focusWidget();
    QVERIFY(w);
    QTest::keyClick(w, Qt::Key_Tab);
}

inline void enter()
{
    QWidget *w = QApplication::focusWidget();
    QVERIFY(w);
    QTest::keyClick(w, Qt::Key_Return);
}

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
