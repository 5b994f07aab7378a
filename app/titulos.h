#pragma once

#include <QString>

// Names the frame shows in its captions, the splash window and the about box.
namespace zef {

// The system's long title: the main window's caption follows "ZEF 2026 - " with it, and the section
// chooser carries it alone.
inline QString tituloLongo()
{
    return QStringLiteral("Sistema Eletrônico de Informações Fiscais");
}

inline QString tituloJanelaPrincipal()
{
    return QStringLiteral("ZEF 2026 - ") + tituloLongo();
}

inline QString nomeGovernoEstado()
{
    return QStringLiteral("Governo do Estado de Vardelo");
}

inline QString nomeAutoridadeFiscal()
{
    return QStringLiteral("TAVRO - Tributação e Arrecadação de Vardelo");
}

inline QString nomeDepartamentoTributario()
{
    return QStringLiteral("Diretoria de Tributação");
}

// The declaration's full name, under its short name "ZEF 2026".
inline QString nomeDeclaracao()
{
    return QStringLiteral("Declaração Anual de Informações Fiscais");
}

} // namespace zef
