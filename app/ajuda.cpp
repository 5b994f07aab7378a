#include "app/ajuda.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace zef {

TfAjuda::TfAjuda(QWidget *parent) : QDialog(parent), m_navegador(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("fAjuda"));
    setWindowTitle(QStringLiteral("Orientações de Preencimento"));
    m_navegador->setObjectName(QStringLiteral("WebBrowser1"));
    m_navegador->setOpenExternalLinks(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_navegador);
    resize(900, 640);
}

void TfAjuda::navega(const QString &arquivo)
{
    m_navegador->setSource(QUrl::fromLocalFile(arquivo));
}

} // namespace zef
