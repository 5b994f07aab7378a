#include "engine/dataset.h"

#include "engine/database.h"
#include "engine/filter_expression.h"

namespace zef {

Dataset::Dataset(Database &db, QObject *parent) : QObject(parent), m_db(db) {}

Dataset::~Dataset() = default;

void Dataset::refuseModify() const
{
    throw EngineError(QStringLiteral("Não é possível modificar um conjunto de dados somente leitura."));
}

void Dataset::setState(State s)
{
    if (m_state == s)
        return;
    m_state = s;
    emit stateChanged();
}

void Dataset::defineDataFields(const QList<FieldDef> &defs)
{
    std::vector<std::unique_ptr<Field>> fields;
    for (const FieldDef &def : defs) {
        std::unique_ptr<Field> existing;
        for (auto &f : m_dataFields) {
            if (f && f->fieldName().compare(def.name, Qt::CaseInsensitive) == 0 && f->dataType() == def.type) {
                existing = std::move(f);
                break;
            }
        }
        if (existing)
            existing->m_def = def;
        else
            existing = std::make_unique<Field>(this, def, FieldKind::Data, 0);
        fields.push_back(std::move(existing));
    }
    m_dataFields = std::move(fields);
    m_dataFieldCount = int(m_dataFields.size());
    m_fieldList.clear();
    int slot = 0;
    for (auto &f : m_dataFields) {
        f->m_slot = slot++;
        m_fieldList.append(f.get());
    }
    for (auto &f : m_extraFields) {
        f->m_slot = slot++;
        m_fieldList.append(f.get());
    }
}

Field &Dataset::addCalculatedField(const FieldDef &def)
{
    if (active())
        throw EngineError(QStringLiteral("Campos calculados são definidos com a tabela fechada."));
    m_extraFields.push_back(std::make_unique<Field>(this, def, FieldKind::Calculated, 0));
    defineDataFields([this] {
        QList<FieldDef> defs;
        for (auto &f : m_dataFields)
            defs.append(f->definition());
        return defs;
    }());
    return *m_extraFields.back();
}

Field &Dataset::addLookupField(const FieldDef &def, const QString &keyFields, Dataset *lookup,
                               const QString &lookupKeyFields, const QString &resultField)
{
    Field &f = addCalculatedField(def);
    f.m_kind = FieldKind::Lookup;
    f.lookupKeyFields = keyFields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    f.lookupDataset = lookup;
    f.lookupKeyTargets = lookupKeyFields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    f.lookupResultField = resultField;
    return f;
}

Field *Dataset::field(int index) const
{
    if (index < 0 || index >= m_fieldList.size())
        throw EngineError(QStringLiteral("Índice de campo fora dos limites: %1").arg(index));
    return m_fieldList.at(index);
}

Field *Dataset::findField(const QString &name) const
{
    for (Field *f : m_fieldList)
        if (f->fieldName().compare(name, Qt::CaseInsensitive) == 0)
            return f;
    return nullptr;
}

Field *Dataset::fieldByName(const QString &name) const
{
    if (Field *f = findField(name))
        return f;
    throw EngineError(QStringLiteral("%1: campo '%2' não encontrado.").arg(objectName(), name));
}

void Dataset::open()
{
    if (active())
        return;
    if (beforeOpen)
        beforeOpen(*this);
    std::vector<Row> rows;
    doOpen(rows);
    m_rows = std::move(rows);
    m_state = State::Browse;
    if (hasCalcFields())
        for (Row &r : m_rows)
            computeCalcFields(r);
    m_cur = m_rows.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.empty();
    emit stateChanged();
    emit rowsReset();
    emitMoved();
    if (afterOpen)
        afterOpen(*this);
}

void Dataset::close()
{
    if (!active())
        return;
    if (beforeClose)
        beforeClose(*this);
    if (editing())
        cancel();
    doClose();
    m_rows.clear();
    m_cur = -1;
    m_eof = m_bof = true;
    setState(State::Inactive);
    emit rowsReset();
    emitMoved();
    if (afterClose)
        afterClose(*this);
}

void Dataset::refresh()
{
    if (!active())
        throw EngineError(QStringLiteral("%1: operação não permitida com o conjunto de dados fechado.").arg(objectName()));
    checkBrowseMode();
    const qint64 rowid = (m_cur >= 0 && m_cur < int(m_rows.size())) ? m_rows[m_cur].rowid : -1;
    reload(rowid, m_cur);
}

void Dataset::reload(qint64 keepRowid, int fallbackRow)
{
    std::vector<Row> rows;
    doOpen(rows);
    m_rows = std::move(rows);
    if (hasCalcFields())
        for (Row &r : m_rows)
            computeCalcFields(r);
    int cur = -1;
    if (keepRowid >= 0) {
        for (int i = 0; i < int(m_rows.size()); ++i)
            if (m_rows[i].rowid == keepRowid) {
                cur = i;
                break;
            }
    }
    if (cur < 0 && !m_rows.empty())
        cur = std::clamp(fallbackRow, 0, int(m_rows.size()) - 1);
    m_cur = cur;
    m_eof = m_rows.empty();
    m_bof = m_rows.empty() || m_cur == 0;
    emit rowsReset();
    emitMoved();
}

void Dataset::emitMoved()
{
    if (m_controlsDisabled == 0)
        emit recordChanged();
}

void Dataset::enableControls()
{
    if (m_controlsDisabled > 0 && --m_controlsDisabled == 0) {
        emit rowsReset();
        emit recordChanged();
    }
}

void Dataset::checkBrowseMode()
{
    if (!active())
        throw EngineError(QStringLiteral("%1: operação não permitida com o conjunto de dados fechado.").arg(objectName()));
    if (editing())
        post();
}

int Dataset::recordCount() const
{
    int n = int(m_rows.size());
    if (m_state == State::Insert && m_insertedPlaceholder)
        --n;
    return n;
}

int Dataset::recNo() const
{
    return m_cur < 0 ? 0 : m_cur + 1;
}

void Dataset::doScroll(int row)
{
    checkBrowseMode();
    if (m_rows.empty()) {
        m_cur = -1;
        return;
    }
    row = std::clamp(row, 0, int(m_rows.size()) - 1);
    if (row != m_cur) {
        if (beforeScroll)
            beforeScroll(*this);
        m_cur = row;
        emitMoved();
        if (afterScroll)
            afterScroll(*this);
    }
}

void Dataset::first()
{
    doScroll(0);
    m_bof = true;
    m_eof = m_rows.empty();
}

void Dataset::last()
{
    doScroll(int(m_rows.size()) - 1);
    m_eof = true;
    m_bof = m_rows.empty();
}

void Dataset::next()
{
    checkBrowseMode();
    if (m_cur + 1 >= int(m_rows.size())) {
        m_eof = true;
        return;
    }
    doScroll(m_cur + 1);
    m_bof = false;
    m_eof = false;
}

void Dataset::prior()
{
    checkBrowseMode();
    if (m_cur <= 0) {
        m_bof = true;
        return;
    }
    doScroll(m_cur - 1);
    m_bof = false;
    m_eof = false;
}

void Dataset::moveBy(int distance)
{
    if (distance > 0)
        while (distance-- > 0 && !eof())
            next();
    else
        while (distance++ < 0 && !bof())
            prior();
}

void Dataset::setRecNo(int recNo)
{
    doScroll(recNo - 1);
    m_bof = m_cur <= 0;
    m_eof = m_rows.empty();
}

bool Dataset::locate(const QStringList &fieldNames, const QVariantList &values)
{
    checkBrowseMode();
    QList<Field *> fs;
    for (const QString &n : fieldNames)
        fs.append(fieldByName(n));
    for (int i = 0; i < int(m_rows.size()); ++i) {
        bool match = true;
        for (int k = 0; k < fs.size() && match; ++k) {
            const QVariant wanted = fs[k]->coerce(values.value(k));
            match = m_rows[i].values[fs[k]->slot()] == wanted;
        }
        if (match) {
            doScroll(i);
            m_eof = m_bof = false;
            return true;
        }
    }
    return false;
}

QVariant Dataset::valueAt(int row, int fieldIndex) const
{
    if (row < 0 || row >= int(m_rows.size()) || fieldIndex < 0 || fieldIndex >= m_fieldList.size())
        return QVariant();
    if (row == m_cur && editing())
        return m_buffer.values.value(fieldIndex);
    return m_rows[row].values.value(fieldIndex);
}

QVariant Dataset::currentValue(int slot) const
{
    if (m_state == State::CalcFields && m_calcRow)
        return m_calcRow->values.value(slot);
    if (editing())
        return m_buffer.values.value(slot);
    if (m_cur < 0 || m_cur >= int(m_rows.size()))
        return QVariant();
    return m_rows[m_cur].values.value(slot);
}

void Dataset::setCurrentValue(Field &f, const QVariant &value)
{
    if (m_state == State::CalcFields && m_calcRow) {
        if (f.kind() == FieldKind::Data)
            throw EngineError(QStringLiteral("Campo '%1' não pode ser alterado ao calcular campos.").arg(f.fieldName()));
        m_calcRow->values[f.slot()] = f.coerce(value);
        return;
    }
    if (!editing()) {
        if (f.kind() != FieldKind::Data && m_cur >= 0) {
            // Calculated fields may be filled by views at any time (the editors' totals).
            m_rows[m_cur].values[f.slot()] = f.coerce(value);
            emit fieldChanged(&f);
            return;
        }
        throw EngineError(QStringLiteral("%1: o registro não está em edição ou inclusão.").arg(objectName()));
    }
    m_buffer.values[f.slot()] = f.coerce(value);
    if (m_cur >= 0 && m_cur < int(m_rows.size()) && m_state == State::Insert && m_insertedPlaceholder)
        m_rows[m_cur].values[f.slot()] = m_buffer.values[f.slot()];
    if (f.kind() == FieldKind::Data && hasCalcFields())
        computeCalcFields(m_buffer);
    if (f.onChange)
        f.onChange(f);
    emit fieldChanged(&f);
}

void Dataset::computeCalcFields(Row &row)
{
    if (!hasCalcFields())
        return;
    row.values.resize(slotCount());
    for (int i = m_dataFieldCount; i < slotCount(); ++i)
        row.values[i] = QVariant();
    for (int i = m_dataFieldCount; i < slotCount(); ++i) {
        Field *f = m_fieldList.at(i);
        if (f->kind() != FieldKind::Lookup || !f->lookupDataset || !f->lookupDataset->active())
            continue;
        Dataset *lk = f->lookupDataset;
        QList<QVariant> keys;
        for (const QString &k : std::as_const(f->lookupKeyFields)) {
            Field *kf = findField(k);
            keys.append(kf ? row.values.value(kf->slot()) : QVariant());
        }
        QList<Field *> targets;
        for (const QString &t : std::as_const(f->lookupKeyTargets))
            targets.append(lk->findField(t));
        Field *result = lk->findField(f->lookupResultField);
        if (!result || targets.contains(nullptr) || keys.size() != targets.size())
            continue;
        for (const Row &lr : lk->m_rows) {
            bool match = true;
            for (int k = 0; k < keys.size() && match; ++k)
                match = !keys[k].isNull() && lr.values.value(targets[k]->slot()).toString() == keys[k].toString();
            if (match) {
                row.values[i] = f->coerce(lr.values.value(result->slot()));
                break;
            }
        }
    }
    if (onCalcFields) {
        const State saved = m_state;
        Row *savedRow = m_calcRow;
        m_state = State::CalcFields;
        m_calcRow = &row;
        try {
            onCalcFields(*this);
        } catch (...) {
            m_state = saved;
            m_calcRow = savedRow;
            throw;
        }
        m_state = saved;
        m_calcRow = savedRow;
    }
}

void Dataset::beginInsert(bool atEnd)
{
    checkBrowseMode();
    if (!canModify())
        refuseModify();
    if (beforeInsert)
        beforeInsert(*this);
    Row row;
    row.values.resize(slotCount());
    for (int i = 0; i < m_dataFieldCount; ++i) {
        const FieldDef &d = m_fieldList.at(i)->definition();
        if (d.defaultValue.isValid())
            row.values[i] = m_fieldList.at(i)->coerce(d.defaultValue);
    }
    initNewRow(row);
    int pos = atEnd || m_cur < 0 ? int(m_rows.size()) : m_cur;
    m_rows.insert(m_rows.begin() + pos, row);
    m_insertedPlaceholder = true;
    m_cur = pos;
    m_buffer = row;
    m_eof = m_bof = false;
    setState(State::Insert);
    if (hasCalcFields())
        computeCalcFields(m_buffer);
    emit rowsReset();
    emitMoved();
    if (onNewRecord)
        onNewRecord(*this);
    if (afterInsert)
        afterInsert(*this);
}

void Dataset::insert()
{
    beginInsert(false);
}

void Dataset::append()
{
    beginInsert(true);
}

void Dataset::edit()
{
    if (editing())
        return;
    if (!active())
        throw EngineError(QStringLiteral("%1: operação não permitida com o conjunto de dados fechado.").arg(objectName()));
    if (!canModify())
        refuseModify();
    if (m_rows.empty()) {
        insert();
        return;
    }
    if (beforeEdit)
        beforeEdit(*this);
    m_buffer = m_rows[m_cur];
    setState(State::Edit);
    if (afterEdit)
        afterEdit(*this);
}

void Dataset::validateRecord(const Row &row) const
{
    for (int i = 0; i < m_dataFieldCount; ++i) {
        const Field *f = m_fieldList.at(i);
        const QVariant v = row.values.value(i);
        if (f->required() && (v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty())))
            throw EngineError(QStringLiteral("O campo '%1' deve ser preenchido.").arg(f->fieldName()));
    }
    for (int i = 0; i < m_dataFieldCount; ++i) {
        const Field *f = m_fieldList.at(i);
        const FieldDef &d = f->definition();
        if (d.constraint.isEmpty())
            continue;
        const FilterExpression check(d.constraint);
        const bool ok = check.accepts([&](const QString &name) {
            const Field *other = findField(name);
            return other ? row.values.value(other->slot()) : QVariant();
        });
        if (!ok)
            throw EngineError(d.constraintMessage.isEmpty()
                                  ? QStringLiteral("Valor inválido no campo '%1'.").arg(f->fieldName())
                                  : d.constraintMessage);
    }
}

void Dataset::post()
{
    if (!editing())
        return;
    if (beforePost)
        beforePost(*this);
    for (;;) {
        try {
            validateRecord(m_buffer);
            if (m_state == State::Insert)
                doInsertRow(m_buffer);
            else
                doUpdateRow(m_rows[m_cur], m_buffer);
            break;
        } catch (const EngineError &e) {
            PostAction action = PostAction::Fail;
            if (onPostError)
                onPostError(*this, e, action);
            if (action == PostAction::Retry)
                continue;
            if (action == PostAction::Abort)
                throw SilentAbort();
            throw;
        }
    }
    const qint64 rowid = m_buffer.rowid;
    const int fallback = m_cur;
    m_insertedPlaceholder = false;
    m_state = State::Browse;
    reload(rowid, fallback);
    emit stateChanged();
    if (afterPost)
        afterPost(*this);
}

void Dataset::cancel()
{
    if (!editing())
        return;
    if (beforeCancel)
        beforeCancel(*this);
    if (m_state == State::Insert && m_insertedPlaceholder) {
        m_rows.erase(m_rows.begin() + m_cur);
        m_insertedPlaceholder = false;
        if (m_cur >= int(m_rows.size()))
            m_cur = int(m_rows.size()) - 1;
        emit rowsReset();
    }
    m_buffer = Row();
    m_eof = m_rows.empty();
    setState(State::Browse);
    emitMoved();
    if (afterCancel)
        afterCancel(*this);
}

void Dataset::remove()
{
    if (!active())
        throw EngineError(QStringLiteral("%1: operação não permitida com o conjunto de dados fechado.").arg(objectName()));
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (editing())
        cancel();
    if (m_rows.empty() || m_cur < 0)
        throw EngineError(QStringLiteral("%1: não há registro para excluir.").arg(objectName()));
    if (!canModify())
        refuseModify();
    if (beforeDelete)
        beforeDelete(*this);
    for (;;) {
        try {
            doDeleteRow(m_rows[m_cur]);
            break;
        } catch (const EngineError &e) {
            PostAction action = PostAction::Fail;
            if (onDeleteError)
                onDeleteError(*this, e, action);
            if (action == PostAction::Retry)
                continue;
            if (action == PostAction::Abort)
                throw SilentAbort();
            throw;
        }
    }
    const int at = m_cur;
    reload(-1, at);
    if (afterDelete)
        afterDelete(*this);
}

} // namespace zef
