#pragma once
// Internal: the SQLite side of the registry store. One connection per
// database path and process, shared by the threads of the process under a
// lock, so the store is one service like the system registry it stands in
// for. Not part of the platform's public interface.
#include <sqlite3.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::regdb {

// A prepared statement of the connection's cache, reset and unbound when it
// goes out of scope.
class Statement {
public:
    explicit Statement(sqlite3_stmt* stmt) : stmt_(stmt) {}
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return stmt_ != nullptr; }
    void bind(int index, std::int64_t value);
    void bind(int index, std::string_view text);
    void bindBlob(int index, const void* data, std::size_t size);
    int step();  // SQLITE_ROW, SQLITE_DONE or an error
    std::int64_t int64(int column) const;
    std::string text(int column) const;
    std::vector<std::uint8_t> blob(int column) const;

private:
    sqlite3_stmt* stmt_;
};

class Session {
public:
    explicit Session(sqlite3* db, void* cache) : db_(db), cache_(cache) {}
    Statement prepare(const char* sql);
    sqlite3* db() const { return db_; }
    std::int64_t changes() const { return sqlite3_changes64(db_); }
    std::int64_t lastInsertId() const { return sqlite3_last_insert_rowid(db_); }

private:
    sqlite3* db_;
    void* cache_;
};

enum class Access { Read, Write };

// Runs `work` inside one transaction of the store at paths::registryDbPath().
// A write transaction that the work ends with a non-zero status is rolled
// back. kStoreError when the database cannot be opened or a transaction
// cannot start or commit even after waiting for other writers. Called again
// on the same thread while a transaction is open, `work` joins it (a write
// joining a read transaction is refused).
std::int32_t run(Access access, const std::function<std::int32_t(Session&)>& work);

// ASCII case folding for key and value names.
std::string fold(std::string_view name);

}  // namespace platform::regdb
