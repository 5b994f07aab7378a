#pragma once

#include <QDialog>

class QAction;
class QCheckBox;
class QTextBrowser;

namespace zef {

// The help window of the changes and layout pages: a tool bar with "&Fechar" and the check box
// "Não exibir esta janela novamente", over a browser showing one local page.
class TFrmHelp : public QDialog
{
    Q_OBJECT

public:
    explicit TFrmHelp(QWidget *parent = nullptr);

    void navega(const QString &arquivo);
    // The check box is only for the window's own start-up use; the help pages hide it.
    void mostraNaoExibir(bool visivel);

    QTextBrowser *navegador() const { return m_navegador; }
    QCheckBox *naoExibir() const { return m_naoExibir; }

private:
    QTextBrowser *m_navegador;
    QCheckBox *m_naoExibir;
    QAction *m_acaoNaoExibir;
};

} // namespace zef
