#pragma once

#include "engine/engine_error.h"
#include "engine/field.h"

#include <QList>
#include <QObject>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>
#include <vector>

namespace zef {

class Database;

// A cursor over rows read from the database: tables and queries alike. Rows are read
// when the dataset opens or refreshes; the current record is read and written through its
// fields. Rules hook in through the event callbacks, which may throw SilentAbort to
// abandon the operation (the dataset then keeps the state it had).
class Dataset : public QObject
{
    Q_OBJECT

public:
    enum class State { Inactive, Browse, Edit, Insert, CalcFields };
    enum class PostAction { Fail, Abort, Retry };

    explicit Dataset(Database &db, QObject *parent = nullptr);
    ~Dataset() override;

    Database &database() const { return m_db; }

    void open();
    void close();
    bool active() const { return m_state != State::Inactive; }
    void setActive(bool active) { active ? open() : close(); }
    // Reads the rows again, keeping the current record where it still exists.
    void refresh();
    State state() const { return m_state; }
    bool editing() const { return m_state == State::Edit || m_state == State::Insert; }

    // Navigation. eof() turns true when next() is asked past the last record (and after
    // last()), bof() when prior() is asked before the first (and after first()).
    void first();
    void next();
    void prior();
    void last();
    void moveBy(int distance);
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    bool isEmpty() const { return recordCount() == 0; }
    int recordCount() const;
    int recNo() const;              // 1-based; 0 with no current record
    void setRecNo(int recNo);
    // Moves to the first record whose fields equal the values (text compared as stored).
    bool locate(const QStringList &fields, const QVariantList &values);

    // Fields, in column order; calculated and look-up fields follow the stored ones.
    const QList<Field *> &fields() const { return m_fieldList; }
    int fieldCount() const { return int(m_fieldList.size()); }
    Field *field(int index) const;
    Field *fieldByName(const QString &name) const;   // throws when absent
    Field *findField(const QString &name) const;     // null when absent
    Field &addCalculatedField(const FieldDef &def);
    Field &addLookupField(const FieldDef &def, const QString &keyFields, Dataset *lookup,
                          const QString &lookupKeyFields, const QString &resultField);

    // Values of any row, for grids and reports.
    QVariant valueAt(int row, int fieldIndex) const;
    int currentRow() const { return m_cur; }

    // Editing (tables only; a query refuses).
    void insert();
    void append();
    void edit();
    void post();
    void cancel();
    void remove();                  // Delete
    virtual bool canModify() const { return false; }

    // Grids and other views stop following the cursor while a rule walks the rows.
    void disableControls() { ++m_controlsDisabled; }
    void enableControls();
    bool controlsDisabled() const { return m_controlsDisabled > 0; }

    using Event = std::function<void(Dataset &)>;
    using ErrorEvent = std::function<void(Dataset &, const EngineError &, PostAction &)>;
    Event beforeOpen, afterOpen, beforeClose, afterClose;
    Event beforeInsert, afterInsert, onNewRecord;
    Event beforeEdit, afterEdit, beforePost, afterPost, beforeCancel, afterCancel;
    Event beforeDelete, afterDelete, beforeScroll, afterScroll;
    Event onCalcFields;
    ErrorEvent onPostError, onDeleteError;

    // Used by Field.
    QVariant currentValue(int slot) const;
    void setCurrentValue(Field &field, const QVariant &value);

signals:
    void stateChanged();
    void fieldChanged(zef::Field *field);
    void recordChanged();   // another record became current, or its values were reread
    void rowsReset();       // the set of rows changed

protected:
    struct Row {
        qint64 rowid = -1;
        QVector<QVariant> values;   // one slot per field
    };

    // Subclasses read their rows and describe their stored fields.
    virtual void doOpen(std::vector<Row> &rows) = 0;
    virtual void doClose() {}
    virtual void doInsertRow(Row &) { refuseModify(); }
    virtual void doUpdateRow(const Row &, const Row &) { refuseModify(); }
    virtual void doDeleteRow(const Row &) { refuseModify(); }
    virtual void initNewRow(Row &) {}
    [[noreturn]] void refuseModify() const;

    // Field set-up by subclasses while opening; fields of the same name survive a reopen.
    void defineDataFields(const QList<FieldDef> &defs);
    int dataFieldCount() const { return m_dataFieldCount; }
    int slotCount() const { return int(m_fieldList.size()); }

    void reload(qint64 keepRowid, int fallbackRow);
    void setState(State s);
    void checkBrowseMode();
    void computeCalcFields(Row &row);
    bool hasCalcFields() const { return m_dataFieldCount < m_fieldList.size(); }
    const std::vector<Row> &rows() const { return m_rows; }

private:
    void doScroll(int row);
    void validateRecord(const Row &row) const;
    void beginInsert(bool atEnd);
    void emitMoved();

    Database &m_db;
    State m_state = State::Inactive;
    std::vector<Row> m_rows;
    Row m_buffer;                   // the record being edited or inserted
    Row *m_calcRow = nullptr;       // the row whose calculated fields are being filled
    int m_cur = -1;
    bool m_eof = true;
    bool m_bof = true;
    bool m_insertedPlaceholder = false;
    int m_controlsDisabled = 0;
    std::vector<std::unique_ptr<Field>> m_dataFields;
    std::vector<std::unique_ptr<Field>> m_extraFields;   // calculated and look-up
    QList<Field *> m_fieldList;
    int m_dataFieldCount = 0;
};

} // namespace zef
