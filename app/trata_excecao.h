#pragma once

#include <QDateTime>
#include <QString>

#include <exception>
#include <functional>
#include <optional>

namespace zef {

class Dialogs;

// The message an error carries to the user; nothing for a rule's silent abort (SilentAbort).
std::optional<QString> mensagemDaExcecao(std::exception_ptr erro);

// The application-wide handler for every error that no window handles. A missing index starts the
// index rebuild, which ends the program; anything else is appended to "Erros.log" beside the
// program and shown in an error box, and the program goes on.
class TrataExcecao
{
public:
    TrataExcecao(Dialogs &dialogs, QString programDir);

    void trata(const QString &mensagem);
    void trata(std::exception_ptr erro);

    // The index rebuild a missing index starts. Without one, such an error is logged like any other.
    std::function<void()> reindexa;
    // The active window's name for the log line; by default that of the application's active window.
    std::function<QString()> nomeJanelaAtiva;
    // The clock of the log line.
    std::function<QDateTime()> relogio;

    QString arquivoLog() const;

    // One log line, without its line break: "date and time";"message";"window".
    static QString linhaLog(const QDateTime &quando, const QString &mensagem, const QString &janela);
    // The date and time as the program writes them: "dd/mm/yyyy hh:mm:ss", the time left out at
    // exactly midnight.
    static QString textoDataHora(const QDateTime &quando);

private:
    void registraEMostra(const QString &mensagem);
    void registra(const QString &linha);

    Dialogs &m_dialogs;
    QString m_programDir;
};

} // namespace zef
