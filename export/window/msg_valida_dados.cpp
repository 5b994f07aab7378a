#include "export/window/msg_valida_dados.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace zef {

TfMsgValidaDados::TfMsgValidaDados(QWidget *parent)
    : QDialog(parent),
      btnRetornar(new QPushButton(QStringLiteral("&Retornar"), this)),
      Memo1(new QPlainTextEdit(this)),
      StatusBar(new QStatusBar(this))
{
    setObjectName(QStringLiteral("fMsgValidaDados"));
    setWindowTitle(QStringLiteral("Validação de Dados"));
    setModal(true);
    resize(640, 420);

    btnRetornar->setObjectName(QStringLiteral("btnRetornar"));
    btnRetornar->setAutoDefault(false);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);

    auto *band = new QHBoxLayout;
    auto *lines = new QVBoxLayout;
    lines->addWidget(new QLabel(QStringLiteral("Verifique a mensagem abaixo e corrija os dados informados"), this));
    lines->addWidget(new QLabel(QStringLiteral("para prosseguir com a gravação do arquivo."), this));
    band->addLayout(lines, 1);
    band->addWidget(btnRetornar, 0, Qt::AlignTop);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *top = new QWidget(this);
    top->setLayout(band);
    layout->addWidget(top);
    layout->addWidget(Memo1, 1);
    layout->addWidget(StatusBar);

    connect(btnRetornar, &QPushButton::clicked, this, &TfMsgValidaDados::btnRetornarClick);
}

void TfMsgValidaDados::setTexto(const QString &text)
{
    Memo1->setPlainText(text);
}

QString TfMsgValidaDados::texto() const
{
    return Memo1->toPlainText();
}

void TfMsgValidaDados::btnRetornarClick()
{
    accept();
}

} // namespace zef
