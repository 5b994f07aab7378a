#include "header/pesquisa_base.h"

#include "app/widgets/db_grid.h"
#include "app/widgets/widget_errors.h"
#include "app/window_ui.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QShowEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace zef {

using namespace Qt::StringLiterals;

TfPesquisaBase::TfPesquisaBase(Database &db, const QString &tabela, const QString &indice,
                               const QString &campoResultado, const QString &rotuloPesquisa,
                               const QList<Coluna> &colunas, QWidget *parent)
    : QDialog(parent),
      m_tabela(db, tabela),
      m_campoResultado(campoResultado),
      m_edPesquisa(new QLineEdit(this)),
      m_grid(new DBGrid(this)),
      m_btConfirma(ui::botao(u"&Confirma"_s, u"btConfirma"_s, this)),
      m_btRetorna(ui::botao(u"&Retorna"_s, u"btRetorna"_s, this)),
      m_status(new QStatusBar(this))
{
    m_tabela.setObjectName(u"tbPesquisa"_s);
    m_tabela.setIndexName(indice);

    m_edPesquisa->setObjectName(u"edPesquisa"_s);
    m_grid->setObjectName(u"DBGrid1"_s);
    m_grid->setDataset(&m_tabela);
    m_grid->setReadOnly(true);
    for (const Coluna &c : colunas)
        m_grid->addColumn(c.campo, c.titulo, c.largura, true);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_status->setObjectName(u"StatusBar1"_s);
    m_status->setSizeGripEnabled(false);

    connect(m_edPesquisa, &QLineEdit::textChanged, this, &TfPesquisaBase::edPesquisaChange);
    connect(m_btConfirma, &QPushButton::clicked, this, &TfPesquisaBase::btConfirmaClick);
    connect(m_btRetorna, &QPushButton::clicked, this, &TfPesquisaBase::btRetornaClick);
    connect(m_grid, &QAbstractItemView::doubleClicked, this, &TfPesquisaBase::DBGrid1DblClick);

    auto *pesquisa = new QHBoxLayout;
    pesquisa->addWidget(ui::rotulo(rotuloPesquisa, m_edPesquisa, this));
    pesquisa->addWidget(m_edPesquisa, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ui::barraFerramentas(this, {m_btConfirma, m_btRetorna}, {}));
    auto *corpo = new QVBoxLayout;
    corpo->setContentsMargins(8, 8, 8, 8);
    corpo->setSpacing(6);
    corpo->addLayout(pesquisa);
    corpo->addWidget(m_grid, 1);
    layout->addLayout(corpo, 1);
    layout->addWidget(m_status);

    setTabOrder(m_edPesquisa, m_grid);
    setTabOrder(m_grid, m_btConfirma);
    setTabOrder(m_btConfirma, m_btRetorna);
    for (QWidget *w : {static_cast<QWidget *>(m_edPesquisa), static_cast<QWidget *>(m_grid),
                       m_grid->viewport(), static_cast<QWidget *>(m_btConfirma), static_cast<QWidget *>(m_btRetorna)})
        vigia(w);
    resize(640, 460);
}

void TfPesquisaBase::vigia(QWidget *controle)
{
    controle->installEventFilter(this);
}

QString TfPesquisaBase::valorAtual(const QString &campo) const
{
    if (!m_tabela.active() || m_tabela.recNo() == 0)
        return QString();
    return m_tabela.fieldByName(campo)->asString();
}

void TfPesquisaBase::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    runForUser([this] {
        ui::abreTabela(m_tabela);
        m_edPesquisa->clear();
        edPesquisaChange(QString());
    });
    m_edPesquisa->setFocus(Qt::OtherFocusReason);
}

void TfPesquisaBase::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        m_tabela.close();
}

bool TfPesquisaBase::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *tecla = static_cast<QKeyEvent *>(event);
        if ((tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter)
            && (tecla->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            if (watched == m_btConfirma) {
                m_btConfirma->click();
                return true;
            }
            auto *controle = qobject_cast<QWidget *>(watched);
            if (controle == m_grid->viewport())
                controle = m_grid;
            if (controle && enterConfirma(controle)) {
                m_btConfirma->setFocus(Qt::TabFocusReason);
                return true;
            }
            // Where Enter does not lead to "&Confirma" a focused button still answers it.
            if (auto *b = qobject_cast<QPushButton *>(watched)) {
                b->click();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

namespace {

// The name index sorts names that differ only in case or accents next to each other, the
// capitals without accents first. Searching with that form of the typed text lands on the
// first of them, whichever way the user wrote it ("vardelópolis" finds "VARDELOPOLIS" too).
QString primeiraGrafia(const QString &texto)
{
    QString base;
    const QString decomposto = texto.normalized(QString::NormalizationForm_D);
    base.reserve(decomposto.size());
    for (const QChar c : decomposto)
        if (!c.isMark())
            base.append(c);
    return base.toUpper();
}

} // namespace

void TfPesquisaBase::edPesquisaChange(const QString &texto)
{
    if (!m_tabela.active())
        return;
    runForUser([&] { m_tabela.findNearest({primeiraGrafia(texto.trimmed())}); });
}

void TfPesquisaBase::confirmaLinha()
{
    m_resultado = valorAtual(m_campoResultado);
}

void TfPesquisaBase::btConfirmaClick()
{
    confirmaLinha();
    accept();
}

void TfPesquisaBase::DBGrid1DblClick()
{
    confirmaLinha();
    accept();
}

void TfPesquisaBase::btRetornaClick()
{
    reject();
}

void TfPesquisaBase::reject()
{
    retornaSemEscolha();
    QDialog::reject();
}

} // namespace zef
