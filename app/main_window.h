#pragma once

#include <QMainWindow>

namespace zef {

class Programa;

// The help pages beside the program.
inline constexpr auto kPaginaManual = "OrientacoesPreenchimento2026.htm";
inline constexpr auto kPaginaMudancas = "quemudou2026.htm";
inline constexpr auto kPaginaLeiaute = "LeiauteZEF2026.htm";

// The main window: the entry to every function of the program. Closing it ends the program.
// Entries whose windows come from elsewhere run what Programa::entradas holds for them.
class TfPrincipal : public QMainWindow
{
    Q_OBJECT

public:
    explicit TfPrincipal(Programa &programa, QWidget *parent = nullptr);

private slots:
    void btCadastrarClick();
    void btGravarClick();
    void btImprimirClick();
    void btSairClick();
    void miContribuintesClick();
    void miContabilistaClick();
    void miImportarDadosClick();
    void miMunicipiosClick();
    void miAtividadesClick();
    void miReindexarClick();
    void miImportarTxtClick();
    void miManualClick();
    void miMudancasClick();
    void miLeiauteClick();
    void miSobreClick();

private:
    QWidget *criaPainelEsquerdo();
    void criaMenus();
    QString pagina(const char *arquivo) const;

    Programa &m_programa;
};

} // namespace zef
