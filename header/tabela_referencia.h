#pragma once

#include "app/editing_dialog.h"
#include "app/window_link.h"

#include <QList>
#include <QString>

#include <functional>

class QPushButton;

namespace zef {

class DBEdit;
class DBGrid;
class Table;
class TfDmDados;

// What the municipality and activity registers share: they edit one of the data module's
// reference tables through a few fields and a grid, with "&Novo", "&Gravar", "&Cancelar" (also
// Escape), "&Localizar", a record navigator and "Retornar". They add no checks of their own:
// duplicate or empty codes are left to the table's key.
class TfTabelaReferencia : public EditingDialog
{
    Q_OBJECT

public:
    using EditingDialog::campo;
    DBGrid *grid() const { return m_grid; }
    QPushButton *btLocalizar() const { return m_btLocalizar; }

protected:
    struct Campo {
        QString rotulo;
        QString nome;
        int largura;   // characters shown
    };

    // `referencia` is the data module's pointer to this window (fMunicipios, fAtividades), set
    // while the window exists. `localiza` opens the matching look-up and returns its result.
    TfTabelaReferencia(TfDmDados &dm, Dialogs &dialogs, Table &tabela, EditingWindow *&referencia,
                       const QString &nome, const QString &titulo, const QList<Campo> &campos,
                       std::function<QString()> localiza, QWidget *parent);

    TfDmDados &dm() const { return m_dm; }

private slots:
    void btLocalizarClick();

private:
    TfDmDados &m_dm;
    std::function<QString()> m_localiza;
    DBGrid *m_grid;
    QPushButton *m_btLocalizar;
    WindowLink m_ligacao;
};

} // namespace zef
