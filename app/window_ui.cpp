#include "app/window_ui.h"

#include "engine/table.h"

#include <QDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace zef::ui {

QPushButton *botao(const QString &texto, const QString &nome, QWidget *parent)
{
    auto *b = new QPushButton(texto, parent);
    b->setObjectName(nome);
    b->setAutoDefault(false);
    b->setDefault(false);
    b->setFocusPolicy(Qt::StrongFocus);
    b->setMinimumWidth(84);
    return b;
}

QFrame *barraFerramentas(QWidget *parent, const QList<QWidget *> &itens, const QList<QWidget *> &fim)
{
    auto *barra = new QFrame(parent);
    barra->setObjectName(QStringLiteral("ToolBar1"));
    barra->setFrameShape(QFrame::StyledPanel);
    barra->setFrameShadow(QFrame::Raised);
    auto *layout = new QHBoxLayout(barra);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(4);
    for (QWidget *w : itens)
        layout->addWidget(w);
    layout->addStretch();
    for (QWidget *w : fim)
        layout->addWidget(w);
    return barra;
}

QLabel *rotulo(const QString &texto, QWidget *campo, QWidget *parent)
{
    auto *r = new QLabel(texto, parent);
    if (campo)
        r->setBuddy(campo);
    return r;
}

void abreTabela(Table &tabela)
{
    if (tabela.active())
        tabela.refresh();
    else
        tabela.open();
}

void centraSobre(QWidget &janela, const QWidget *parent)
{
    if (parent)
        janela.move(parent->frameGeometry().center() - janela.rect().center());
}

void preparaJanela(QDialog *janela, const QString &nome, const QString &titulo)
{
    janela->setObjectName(nome);
    janela->setWindowTitle(titulo);
    janela->setModal(true);
    // The look-ups and registers keep their contents between showings; the size the user gave
    // them stays too.
    janela->setSizeGripEnabled(true);
}

} // namespace zef::ui
