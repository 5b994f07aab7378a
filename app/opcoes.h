#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>
#include <optional>

class QButtonGroup;
class QGroupBox;
class QPushButton;

namespace zef {

class TfDmDados;

// The editors the section chooser leads to.
enum class EditorSecao {
    Compra,        // 03, TfCompra
    Entradas,      // 04, TfEntradas
    Vendas,        // 05, TfVendas
    Saidas,        // 06, TfSaidas
    SaidaMunic,    // 07, TfSaidaMunic (only when the declaration has item 07)
    ProdDiferido,  // 08, TfProdDiferido
    Estoque,       // 09, TfEstoque
    Responsavel,   // 10, TfResponsavel
};

struct ItemSecao {
    int item;              // the section's number on the form, 3 to 10
    EditorSecao editor;
    friend bool operator==(const ItemSecao &, const ItemSecao &) = default;
};

// The chooser's items in the order shown: seven, or eight with item 07.
QStringList itensOpcoes(bool comItem07);

// The item at a position of the chooser (from 0). With item 07 the positions 0 to 7 are 03 to 10;
// without it 0 to 6 are 03, 04, 05, 06, 08, 09, 10. Nothing for a position past the end.
std::optional<ItemSecao> itemDaPosicao(int posicao, bool comItem07);

// The window class of an editor ("TfCompra", ...).
QString classeEditor(EditorSecao editor);

// The section chooser: picks the numbered section of the current declaration to edit. It stays open
// for the next choice until "&Retorna".
class TfOpcoes : public QDialog
{
    Q_OBJECT

public:
    explicit TfOpcoes(TfDmDados &dm, QWidget *parent = nullptr);

    // Opens an editor modally and says whether it had one for the item; for an item without an
    // editor yet "&Continua" says so in a message box.
    std::function<bool(EditorSecao)> abreEditor;
    // Clears the global references of the eight editors once the chosen one has closed.
    std::function<void()> limpaReferencias;

    int posicaoSelecionada() const;
    void selecionaPosicao(int posicao);
    QStringList itens() const;

    QPushButton *btnContinua() const { return m_continua; }
    QPushButton *btnRetorna() const { return m_retorna; }

private slots:
    void btnContinuaClick();
    void btnRetornaClick();

private:
    bool exigeItem07() const;

    TfDmDados &m_dm;
    QGroupBox *m_opcoes;
    QButtonGroup *m_grupo;
    QPushButton *m_continua;
    QPushButton *m_retorna;
};

} // namespace zef
