#include "app/inicia.h"

#include "app/logo.h"
#include "app/titulos.h"

#include <QApplication>
#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace zef {

namespace {

QLabel *texto(const QString &conteudo, QWidget *pai, int pontos, bool negrito)
{
    auto *rotulo = new QLabel(conteudo, pai);
    QFont fonte = rotulo->font();
    fonte.setPointSize(pontos);
    fonte.setBold(negrito);
    rotulo->setFont(fonte);
    rotulo->setAlignment(Qt::AlignCenter);
    return rotulo;
}

} // namespace

TfInicia::TfInicia(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("fInicia"));
    setWindowTitle(QStringLiteral("ZEF 2026"));

    auto *moldura = new QFrame(this);
    moldura->setFrameShape(QFrame::Box);
    moldura->setLineWidth(2);

    auto *logo = new QLabel(moldura);
    logo->setPixmap(logoZef(128));
    logo->setAlignment(Qt::AlignCenter);

    auto *textos = new QVBoxLayout;
    textos->addWidget(texto(nomeGovernoEstado(), moldura, 12, true));
    textos->addWidget(texto(nomeAutoridadeFiscal(), moldura, 11, false));
    textos->addSpacing(12);
    textos->addWidget(texto(QStringLiteral("ZEF 2026"), moldura, 26, true));
    textos->addSpacing(12);
    textos->addWidget(texto(QStringLiteral("Aguarde..."), moldura, 11, false));

    auto *interno = new QHBoxLayout(moldura);
    interno->setContentsMargins(24, 24, 24, 24);
    interno->addWidget(logo);
    interno->addSpacing(24);
    interno->addLayout(textos, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(moldura);
    setFixedSize(sizeHint().expandedTo(QSize(520, 220)));
}

void TfInicia::mostra()
{
    if (const QScreen *tela = QApplication::primaryScreen()) {
        QRect area = rect();
        area.moveCenter(tela->availableGeometry().center());
        move(area.topLeft());
    }
    show();
    raise();
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace zef
