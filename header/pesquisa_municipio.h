#pragma once

#include "header/pesquisa_base.h"

namespace zef {

class TfDmDados;

// The municipality look-up ("Municípios"): Municip.DB in the order of the names, shown with the
// filter its caller sets. The result is the chosen code, and its state code beside it.
class TfPesquisaMunicipio : public TfPesquisaBase
{
    Q_OBJECT

public:
    explicit TfPesquisaMunicipio(TfDmDados &dm, QWidget *parent = nullptr);

    // Restricts the rows to the expression ("UF='VD' and Codigo<>'1727000'") and activates it.
    void defineFiltro(const QString &expressao);

    QString resultadoUF() const { return m_resultadoUF; }

protected:
    bool enterConfirma(QWidget *controle) const override;
    void confirmaLinha() override;

private:
    QString m_resultadoUF;
};

} // namespace zef
