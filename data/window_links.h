#pragma once

#include <QChar>
#include <QString>

namespace zef {

class FieldEdit;
class Query;

// What the record rules of the data module need from the windows that edit its tables. A
// window implements the interface of its kind and its opener hands it to the data module
// (TfDmDados::fCadZEF, fCompra, ...) while it is open; a null pointer means the window is
// not open, and the rules then go by the stored record alone.

// A window whose buttons follow the editing state of the table it edits: "&Gravar" and
// "&Cancelar" while a record is edited or inserted; "&Novo", "&Excluir", "C&ontinua",
// "&Localizar" and the navigator otherwise. Called on every state change of that table.
// The kinds below derive from it virtually, so that a window built on the shared editing
// window (which is an EditingWindow) can also be one of them.
class EditingWindow
{
public:
    virtual ~EditingWindow() = default;
    virtual void HabilitaBotoes(bool editing) = 0;
};

// The declaration header window (TfCadZEF).
class HeaderWindow : public virtual EditingWindow
{
public:
    enum class DomicileAnswer { None, Sim, Nao };

    // The radio group rgdomicilio of item 2.1 (did the fiscal domicile move?).
    virtual DomicileAnswer domicileAnswer() const = 0;
    // The radio group rgnormal: true when its second item, "Simples Nacional", is selected.
    virtual bool simplesSelected() const = 0;

    // The domicile display of item 2.2: the start and end dates shown in the row of the
    // letter "A" to "E", as shown ("dd/mm/yyyy"); empty when the row is empty.
    virtual QString domicileStart(QChar letter) const = 0;
    virtual QString domicileEnd(QChar letter) const = 0;

    // The period edits of item 2.3 (showing "  /  /    " when empty).
    virtual FieldEdit &periodStartEdit() = 0;
    virtual FieldEdit &periodEndEdit() = 0;

    // Fills the domicile display again for the current declaration.
    virtual void refillDomicileDisplay() = 0;
};

// The domicile window (TfDomicilio).
class DomicileWindow : public virtual EditingWindow
{
public:
    // The edits "Data Inicial" and "Data Final" (showing "  /  /    " when empty).
    virtual FieldEdit &startDateEdit() = 0;
    virtual FieldEdit &endDateEdit() = 0;
};

// A section editor (TfCompra, TfVendas, TfEntradas, TfSaidas, TfCFOP, TfSaidaMunic, TfProdDiferido).
class SectionEditor : public virtual EditingWindow
{
public:
    // The editor's list query (qryCompras, qryVendas, ...): the data module closes it, sets its
    // parameters "AnoBase" and "CGCEmpresa" to the current declaration and opens it again
    // after every store.
    virtual Query &listQuery() = 0;

    // Makes the column at this index (0 = first) current in the edit grid, where the user
    // corrects a refused line.
    virtual void selectGridColumn(int /*index*/) {}

    // The state box of the sections by state; null where the editor has none.
    virtual FieldEdit *stateEdit() { return nullptr; }

    // The supplier's registration edit of the exempt purchases (digits only); null elsewhere.
    virtual FieldEdit *registrationEdit() { return nullptr; }
};

} // namespace zef
