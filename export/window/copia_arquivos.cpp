#include "export/window/copia_arquivos.h"

#include "data/data_module.h"
#include "data/dialogs.h"
#include "engine/engine_error.h"
#include "export/gera_arquivo.h"
#include "export/window/msg_valida_dados.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStatusBar>
#include <QVBoxLayout>

#include <exception>

namespace zef {

namespace {

using namespace Qt::StringLiterals;

// The hourglass for as long as the object lives; hidden again while the user is asked something.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

class ArrowWhileAsking
{
public:
    ArrowWhileAsking() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~ArrowWhileAsking() { QApplication::restoreOverrideCursor(); }
    ArrowWhileAsking(const ArrowWhileAsking &) = delete;
    ArrowWhileAsking &operator=(const ArrowWhileAsking &) = delete;
};

QPushButton *button(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    // Enter moves between controls here; it must not press a default button.
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

} // namespace

TfCopiaArquivos::TfCopiaArquivos(TfDmDados &dados, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent),
      EdtAnoBase(new QLineEdit(this)),
      btnConsultaQORM(button(u"btnConsultaQORM"_s, u"&Atualizar"_s, this)),
      btnMarcaTodas(button(u"btnMarcaTodas"_s, u"&Marcar Todas"_s, this)),
      btnDesmarcaTodas(button(u"btnDesmarcaTodas"_s, u"&Desmarcar Todas"_s, this)),
      btnCopiar(button(u"btnCopiar"_s, u"&Gravar Arquivo"_s, this)),
      btnRetornar(button(u"btnRetornar"_s, u"&Retornar"_s, this)),
      CheckListBoxContrituintes(new QListWidget(this)),
      StatusBar(new QStatusBar(this)),
      m_dados(dados),
      m_dialogs(dialogs)
{
    setObjectName(u"fCopiaArquivos"_s);
    setWindowTitle(u"Cópia de Arquivos"_s);
    setModal(true);
    resize(760, 480);

    SaveDialog1 = [](QWidget *owner, const QString &proposedName) -> std::optional<QString> {
        const QString path = QFileDialog::getSaveFileName(owner, QString(), proposedName, QString(), nullptr,
                                                          QFileDialog::DontConfirmOverwrite);
        if (path.isEmpty())
            return std::nullopt;
        return path;
    };

    EdtAnoBase->setObjectName(u"EdtAnoBase"_s);
    EdtAnoBase->setMaxLength(4);
    EdtAnoBase->setValidator(new QRegularExpressionValidator(QRegularExpression(u"[0-9]{0,4}"_s), EdtAnoBase));
    EdtAnoBase->setFixedWidth(EdtAnoBase->fontMetrics().horizontalAdvance(u"00000"_s) + 12);
    EdtAnoBase->installEventFilter(this);

    auto *toolBar = new QHBoxLayout;
    toolBar->addWidget(new QLabel(u"Ano-base:"_s, this));
    toolBar->addWidget(EdtAnoBase);
    for (QPushButton *b : {btnConsultaQORM, btnMarcaTodas, btnDesmarcaTodas, btnCopiar, btnRetornar})
        toolBar->addWidget(b);
    toolBar->addStretch(1);

    auto *title = new QLabel(u"Selecione os Contribuintes"_s, this);
    title->setAlignment(Qt::AlignCenter);
    QPalette blue = title->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    title->setPalette(blue);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    title->setFont(titleFont);

    QFont courier(u"Courier"_s);
    courier.setStyleHint(QFont::TypeWriter);
    courier.setFixedPitch(true);
    CheckListBoxContrituintes->setObjectName(u"CheckListBoxContrituintes"_s);
    CheckListBoxContrituintes->setFont(courier);

    // The captions sit above the list's two columns: the registration takes 19 characters.
    auto *captions = new QHBoxLayout;
    auto *captionIE = new QLabel(u"Inscrição Estadual"_s, this);
    captionIE->setFixedWidth(QFontMetrics(courier).horizontalAdvance(QString(19, u' ')) + 24);
    captions->addWidget(captionIE);
    captions->addWidget(new QLabel(u"Razão Social"_s, this), 1);

    StatusBar->setObjectName(u"StatusBar"_s);
    StatusBar->setSizeGripEnabled(false);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(toolBar);
    layout->addWidget(title);
    layout->addLayout(captions);
    layout->addWidget(CheckListBoxContrituintes, 1);
    layout->addWidget(StatusBar);

    for (QWidget *w : findChildren<QWidget *>())
        if (w != EdtAnoBase)
            w->installEventFilter(this);

    connect(btnConsultaQORM, &QPushButton::clicked, this, &TfCopiaArquivos::btnConsultaQORMClick);
    connect(btnMarcaTodas, &QPushButton::clicked, this, &TfCopiaArquivos::btnMarcaTodasClick);
    connect(btnDesmarcaTodas, &QPushButton::clicked, this, &TfCopiaArquivos::btnDesmarcaTodasClick);
    connect(btnCopiar, &QPushButton::clicked, this, &TfCopiaArquivos::btnCopiarClick);
    connect(btnRetornar, &QPushButton::clicked, this, &TfCopiaArquivos::btnRetornarClick);
}

void TfCopiaArquivos::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfCopiaArquivos::FormShow()
{
    StatusBar->clearMessage();
}

void TfCopiaArquivos::ePeriodoEnter()
{
    StatusBar->showMessage(u"Informe o ano base"_s);
}

bool TfCopiaArquivos::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == EdtAnoBase && event->type() == QEvent::FocusIn)
        ePeriodoEnter();
    // The window sees the keys first: Enter moves to the next control, wherever the focus is.
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfCopiaArquivos::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        focusNextChild();
        return;
    }
    // No button of this window is marked to cancel: Escape does not close it.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfCopiaArquivos::btnConsultaQORMClick()
{
    const QString year = EdtAnoBase->text().trimmed();
    if (year.size() < 4) {
        Mensagem(m_dialogs, u"Informe o Ano Base!"_s);
        EdtAnoBase->setFocus();
        return;
    }
    CheckListBoxContrituintes->clear();
    StatusBar->clearMessage();
    QList<ListedDeclaration> found;
    try {
        found = listaDeclaracoes(m_dados.dtbBaseDados, year);
    } catch (const EngineError &e) {
        reportError(e.message());
        return;
    }
    if (found.isEmpty()) {
        Mensagem(m_dialogs, u"Nenhum ZEF cadastrada para o Ano Base informado!!!"_s);
        return;
    }
    for (const ListedDeclaration &d : std::as_const(found)) {
        auto *item = new QListWidgetItem(d.entry, CheckListBoxContrituintes);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
}

void TfCopiaArquivos::setTodas(bool checked)
{
    for (int i = 0; i < CheckListBoxContrituintes->count(); ++i)
        CheckListBoxContrituintes->item(i)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void TfCopiaArquivos::btnMarcaTodasClick()
{
    setTodas(true);
}

void TfCopiaArquivos::btnDesmarcaTodasClick()
{
    setTodas(false);
}

QStringList TfCopiaArquivos::marcadas() const
{
    QStringList registrations;
    for (int i = 0; i < CheckListBoxContrituintes->count(); ++i) {
        const QListWidgetItem *item = CheckListBoxContrituintes->item(i);
        if (item->checkState() == Qt::Checked)
            registrations.append(inscricaoDaEntrada(item->text()));
    }
    return registrations;
}

void TfCopiaArquivos::btnCopiarClick()
{
    if (marcadas().isEmpty()) {
        Mensagem(m_dialogs, u"Nenhum ZEF  foi selecionado, informe o ano-base desejado e clique em Consultar ZEF."_s);
        EdtAnoBase->setFocus();
        return;
    }
    GeraArquivo();
}

void TfCopiaArquivos::GeraArquivo()
{
    // The year is the one in the box now, not necessarily the one the list was filled with.
    const QString year = EdtAnoBase->text();
    ExportResult result;
    try {
        WaitCursor wait;
        result = zef::GeraArquivo(m_dados.dtbBaseDados, m_dialogs, year, marcadas(),
                                  [this](const QString &proposed) {
                                      ArrowWhileAsking arrow;
                                      return SaveDialog1(this, proposed);
                                  });
    } catch (const EngineError &e) {
        reportError(e.message());
        return;
    } catch (const std::exception &e) {
        reportError(QString::fromLocal8Bit(e.what()));
        return;
    }
    switch (result.outcome) {
    case ExportResult::Outcome::Findings: {
        TfMsgValidaDados validation(this);
        validation.setTexto(result.validationText());
        validation.exec();
        break;
    }
    case ExportResult::Outcome::Written:
        Mensagem(m_dialogs, u"Arquivo gravado com sucesso!!!"_s);
        break;
    case ExportResult::Outcome::Abandoned:
    case ExportResult::Outcome::Cancelled:
        break;
    }
}

void TfCopiaArquivos::btnRetornarClick()
{
    accept();
}

void TfCopiaArquivos::reportError(const QString &message)
{
    if (onError)
        onError(message);
    else
        CaixaMensagem(m_dialogs, message, kCaixaErro);
}

void abreCopiaArquivos(QWidget *parent, TfDmDados &dados, Dialogs &dialogs, ErrorHandler onError)
{
    TfCopiaArquivos window(dados, dialogs, parent);
    window.onError = std::move(onError);
    window.exec();
}

} // namespace zef
