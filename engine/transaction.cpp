#include "engine/transaction.h"

#include "engine/database.h"
#include "engine/dataset.h"

namespace zef {

Transaction::Transaction(Database &db, std::initializer_list<Dataset *> refreshOnRollback)
    : m_db(db), m_refresh(refreshOnRollback)
{
    if (!m_db.inTransaction()) {
        m_db.startTransaction();
        m_owns = true;
    }
}

Transaction::~Transaction()
{
    if (!m_owns || m_done)
        return;
    // Already unwinding from the error that brought us here: a second failure while undoing
    // must not end the program, and the first one is what the user needs to see.
    try {
        m_db.rollback();
    } catch (...) {
    }
    for (Dataset *dataset : m_refresh) {
        try {
            if (dataset && dataset->active() && !dataset->editing())
                dataset->refresh();
        } catch (...) {
        }
    }
}

void Transaction::commit()
{
    if (!m_owns || m_done)
        return;
    m_db.commit();
    m_done = true;
}

} // namespace zef
