#pragma once

#include <initializer_list>
#include <vector>

namespace zef {

class Database;
class Dataset;

// One unit of work on the database. Starts a transaction, or joins the one already open
// (then the outer unit decides: commit() here does nothing and an error simply travels up
// to it). An owning transaction not committed when it goes out of scope is rolled back,
// without throwing, and the datasets it was given are read again, so that windows never
// show rows the rollback took away.
class Transaction
{
public:
    explicit Transaction(Database &db, std::initializer_list<Dataset *> refreshOnRollback = {});
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    // Commits an owning transaction; afterwards the destructor does nothing.
    void commit();

    // True when this object started the transaction (false when it joined an outer one).
    bool owns() const { return m_owns; }

private:
    Database &m_db;
    std::vector<Dataset *> m_refresh;
    bool m_owns = false;
    bool m_done = false;
};

} // namespace zef
