#pragma once

#include <QDialog>

class QTextBrowser;

namespace zef {

// The filling instructions: a browser over one local page, filling the window.
class TfAjuda : public QDialog
{
    Q_OBJECT

public:
    explicit TfAjuda(QWidget *parent = nullptr);

    // Shows the page at that path (a file beside the program).
    void navega(const QString &arquivo);

    QTextBrowser *navegador() const { return m_navegador; }

private:
    QTextBrowser *m_navegador;
};

} // namespace zef
