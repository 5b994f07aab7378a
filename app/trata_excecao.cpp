#include "app/trata_excecao.h"

#include "data/dialogs.h"
#include "engine/engine_error.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QWidget>
#include <QtDebug>

#include <utility>

namespace zef {

using namespace Qt::StringLiterals;

namespace {

constexpr auto kArquivoLog = "Erros.log";

QString quoted(const QString &text)
{
    return u'"' + text + u'"';
}

} // namespace

std::optional<QString> mensagemDaExcecao(std::exception_ptr erro)
{
    try {
        std::rethrow_exception(std::move(erro));
    } catch (const SilentAbort &) {
        return std::nullopt;
    } catch (const EngineError &e) {
        return e.message();
    } catch (const std::exception &e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return u"Erro desconhecido."_s;
    }
}

TrataExcecao::TrataExcecao(Dialogs &dialogs, QString programDir)
    : nomeJanelaAtiva([] {
          const QWidget *ativa = QApplication::activeWindow();
          return ativa ? ativa->objectName() : QString();
      }),
      relogio([] { return QDateTime::currentDateTime(); }),
      m_dialogs(dialogs),
      m_programDir(std::move(programDir))
{
}

QString TrataExcecao::arquivoLog() const
{
    return QDir(m_programDir).filePath(QLatin1String(kArquivoLog));
}

QString TrataExcecao::textoDataHora(const QDateTime &quando)
{
    if (quando.time() == QTime(0, 0))
        return quando.toString(u"dd/MM/yyyy"_s);
    return quando.toString(u"dd/MM/yyyy hh:mm:ss"_s);
}

QString TrataExcecao::linhaLog(const QDateTime &quando, const QString &mensagem, const QString &janela)
{
    return quoted(textoDataHora(quando)) + u';' + quoted(mensagem) + u';' + quoted(janela);
}

void TrataExcecao::trata(std::exception_ptr erro)
{
    if (const std::optional<QString> mensagem = mensagemDaExcecao(std::move(erro)))
        trata(*mensagem);
}

void TrataExcecao::trata(const QString &mensagem)
{
    if (mensagem.contains(QLatin1String(kNoIndexForFields)) && reindexa) {
        // The rebuild ends the program. When it cannot even start (a table of the list that does not
        // open), its own error is logged and shown like any other, never sent back to the rebuild.
        try {
            reindexa();
        } catch (...) {
            if (const std::optional<QString> falha = mensagemDaExcecao(std::current_exception()))
                registraEMostra(*falha);
        }
        return;
    }
    registraEMostra(mensagem);
}

void TrataExcecao::registraEMostra(const QString &mensagem)
{
    registra(linhaLog(relogio ? relogio() : QDateTime::currentDateTime(), mensagem,
                      nomeJanelaAtiva ? nomeJanelaAtiva() : QString()));
    m_dialogs.show(mensagem, Dialogs::Icon::Error, Dialogs::Buttons::Ok);
}

void TrataExcecao::registra(const QString &linha)
{
    // Appended, never rewritten: a failure half-way can cost the new line, not the earlier ones.
    QFile log(arquivoLog());
    if (!log.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Text)) {
        qWarning("Erros.log: %s", qUtf8Printable(log.errorString()));
        return;
    }
    QByteArray bytes;
    // A last line left without its line break by someone else stays a line of its own.
    if (log.size() > 0 && log.seek(log.size() - 1)) {
        const QByteArray ultimo = log.read(1);
        if (!ultimo.isEmpty() && ultimo != "\n" && ultimo != "\r")
            bytes += '\n';
    }
    bytes += linha.toUtf8() + '\n';
    if (log.write(bytes) != bytes.size())
        qWarning("Erros.log: %s", qUtf8Printable(log.errorString()));
}

} // namespace zef
