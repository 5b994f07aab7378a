#pragma once

#include "header/tabela_referencia.h"

namespace zef {

class Dialogs;
class TfDmDados;

// The municipality register ("Municipios"): the data module's tbMunicipio, with the shared
// municipality look-up behind "&Localizar", shown as its last user left it.
class TfMunicipios : public TfTabelaReferencia
{
    Q_OBJECT

public:
    TfMunicipios(TfDmDados &dm, Dialogs &dialogs, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_limpaNome = false;
};

} // namespace zef
