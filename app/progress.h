#pragma once

#include "data/index_rebuild.h"

#include <QDialog>

#include <functional>
#include <memory>

class QProgressBar;

namespace zef {

// The progress window of the index rebuild: a caption, no border icons, one gauge.
class Tfrm : public QDialog
{
    Q_OBJECT

public:
    explicit Tfrm(QWidget *parent = nullptr);

    QProgressBar *Progresso() const { return m_progresso; }

private:
    QProgressBar *m_progresso;
};

// The index rebuild as the running program shows it: the hourglass, the progress window, then the
// closing message and the end of the program through the two functions it is given.
class ReindexacaoNaTela final : public ReIndexUi
{
public:
    ReindexacaoNaTela(std::function<void(const QString &)> mensagem, std::function<void()> encerra);
    ~ReindexacaoNaTela() override;

    void setBusy(bool busy) override;
    void showProgress(int total) override;
    void setProgress(int position) override;
    void closeProgress() override;
    void showEndMessage(const QString &text) override;
    void endProgram() override;

    // The window while the gauge runs; null otherwise.
    Tfrm *janela() const { return m_janela.get(); }

private:
    std::function<void(const QString &)> m_mensagem;
    std::function<void()> m_encerra;
    std::unique_ptr<Tfrm> m_janela;
    bool m_busy = false;
};

} // namespace zef
