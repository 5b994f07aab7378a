#include "app/sobre.h"

#include "app/logo.h"
#include "app/titulos.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zef {

namespace {

QLabel *linha(const QString &texto, QWidget *pai, int pontos = 0, bool negrito = false)
{
    auto *rotulo = new QLabel(texto, pai);
    QFont fonte = rotulo->font();
    if (pontos > 0)
        fonte.setPointSize(pontos);
    fonte.setBold(negrito);
    rotulo->setFont(fonte);
    return rotulo;
}

} // namespace

TfSobre::TfSobre(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fSobre"));
    setWindowTitle(QStringLiteral("Sobre o Sistema"));

    auto *logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("ProgramIcon"));
    logo->setPixmap(logoZef(96));
    logo->setAlignment(Qt::AlignTop);

    auto *textos = new QVBoxLayout;
    textos->addWidget(linha(QStringLiteral("ZEF Eletrônico"), this, 16, true));
    textos->addWidget(linha(QStringLiteral("Versão 2026"), this, 0, true));
    textos->addSpacing(8);
    textos->addWidget(linha(nomeAutoridadeFiscal(), this));
    textos->addWidget(linha(nomeGovernoEstado(), this));
    textos->addSpacing(8);
    textos->addWidget(linha(QStringLiteral("Última atualização 20/02/2026"), this));
    textos->addStretch();

    auto *corpo = new QHBoxLayout;
    corpo->addWidget(logo);
    corpo->addSpacing(12);
    corpo->addLayout(textos, 1);

    auto *botoes = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    botoes->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKButton"));
    connect(botoes, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(corpo);
    layout->addWidget(botoes);
    setFixedSize(sizeHint().expandedTo(QSize(420, 0)));
}

} // namespace zef
