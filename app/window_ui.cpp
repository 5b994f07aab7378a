#include "app/window_ui.h"

#include "engine/table.h"

#include <QDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

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

QRect posicaoCentrada(const QSize &janela, const QRect &abridor, const QRect &disponivel, const QMargins &moldura)
{
    // The window with its frame; it is made no larger than the room there is.
    const QSize inteira(std::min(janela.width() + moldura.left() + moldura.right(), disponivel.width()),
                        std::min(janela.height() + moldura.top() + moldura.bottom(), disponivel.height()));
    QRect r(QPoint(0, 0), inteira);
    r.moveCenter(abridor.center());
    // Kept on the screen: a window centred over a tall opener must not run off its bottom.
    if (r.right() > disponivel.right())
        r.moveRight(disponivel.right());
    if (r.bottom() > disponivel.bottom())
        r.moveBottom(disponivel.bottom());
    if (r.left() < disponivel.left())
        r.moveLeft(disponivel.left());
    if (r.top() < disponivel.top())
        r.moveTop(disponivel.top());
    return r.marginsRemoved(moldura);
}

void centraSobre(QWidget &janela, const QWidget *parent)
{
    // The size the window will have on screen, not the one it has before its first showing.
    if (!janela.testAttribute(Qt::WA_Resized))
        janela.adjustSize();
    const QScreen *tela = parent ? parent->screen() : janela.screen();
    const QRect disponivel = tela ? tela->availableGeometry() : QRect(QPoint(0, 0), janela.size());
    const QRect abridor = parent ? parent->frameGeometry() : disponivel;
    // The frame the window manager adds, as the opener has it (a title bar and borders).
    QMargins moldura(4, 30, 4, 4);
    if (parent && parent->isVisible() && parent->frameGeometry() != parent->geometry()) {
        const QRect f = parent->frameGeometry();
        const QRect g = parent->geometry();
        moldura = QMargins(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom());
    }
    const QRect r = posicaoCentrada(janela.size(), abridor, disponivel, moldura);
    janela.resize(r.size().expandedTo(janela.minimumSize()));
    janela.move(r.topLeft() - QPoint(moldura.left(), moldura.top()));
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
