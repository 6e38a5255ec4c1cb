#include "platform/registry_db.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <initializer_list>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/paths.h"
#include "platform/registry_store.h"
#include "platform/status_codes.h"

namespace platform::regdb {

namespace {

// How long a writer waits for the others before the store reports failure.
// Not scaled by the time facility: it bounds contention between programs,
// and a test running at a small scale must not lose values because of it.
constexpr int kBusyTimeoutMs = 5000;
constexpr auto kGiveUpAfter = std::chrono::seconds(60);
// Connections kept open at once; tests switch VELKA_TA_HOME many times.
constexpr std::size_t kMaxConnections = 8;

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS meta(name TEXT PRIMARY KEY, value TEXT);
CREATE TABLE IF NOT EXISTS keys(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    parent INTEGER NOT NULL,
    name TEXT NOT NULL,
    fold TEXT NOT NULL,
    UNIQUE(parent, fold));
CREATE TABLE IF NOT EXISTS vals(
    seq INTEGER PRIMARY KEY AUTOINCREMENT,
    key INTEGER NOT NULL,
    name TEXT NOT NULL,
    fold TEXT NOT NULL,
    type INTEGER NOT NULL,
    data BLOB,
    UNIQUE(key, fold));
)sql";

struct Connection {
    sqlite3* db = nullptr;
    pid_t pid = 0;
    dev_t dev = 0;
    ino_t ino = 0;
    std::mutex mutex;  // one transaction at a time on this connection
    std::map<std::string, sqlite3_stmt*, std::less<>> statements;

    ~Connection() {
        // A connection inherited through fork belongs to the parent: closing
        // it here could disturb the parent's locks, so it is left alone.
        if (pid != ::getpid()) return;
        for (auto& [sql, stmt] : statements) sqlite3_finalize(stmt);
        sqlite3_close(db);
    }
};

std::int32_t exec(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK ? kOk : kStoreError;
}

// Retries an operation that reports SQLITE_BUSY or SQLITE_LOCKED: the busy
// time-out already waited inside SQLite, so a retry is only needed when a
// writer held the database for longer than that.
int retryBusy(const std::function<int()>& op) {
    const auto giveUp = std::chrono::steady_clock::now() + kGiveUpAfter;
    for (;;) {
        const int rc = op();
        if ((rc != SQLITE_BUSY && rc != SQLITE_LOCKED) ||
            std::chrono::steady_clock::now() >= giveUp)
            return rc;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

int execRc(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

std::int32_t insertValue(Session& s, std::int64_t key, const char* name, std::int64_t type,
                         const void* data, std::size_t size) {
    Statement st =
        s.prepare("INSERT OR IGNORE INTO vals(key, name, fold, type, data) VALUES(?,?,?,?,?)");
    st.bind(1, key);
    st.bind(2, name);
    st.bind(3, fold(name));
    st.bind(4, type);
    st.bindBlob(5, data, size);
    return st.step() == SQLITE_DONE ? kOk : kStoreError;
}

std::int32_t insertKey(Session& s, std::int64_t parent, const char* name, std::int64_t& id) {
    Statement st = s.prepare("INSERT INTO keys(parent, name, fold) VALUES(?,?,?)");
    st.bind(1, parent);
    st.bind(2, name);
    st.bind(3, fold(name));
    if (st.step() != SQLITE_DONE) return kStoreError;
    id = s.lastInsertId();
    return kOk;
}

// A fresh store gets the four roots, the product keys, the installation's folders and the
// device folder's default of storing the speeds it detects, so a first start
// works as after an installation, without an installer having run.
std::int32_t fillDefaults(Session& s) {
    if (exec(s.db(),
             "INSERT OR IGNORE INTO keys(id, parent, name, fold) VALUES"
             "(1,0,'HKLM','hklm'),(2,0,'HKCU','hkcu'),(3,0,'HKCR','hkcr'),(4,0,'HKDD','hkdd')") !=
        kOk)
        return kStoreError;
    std::int64_t suite = 1;  // HKLM
    std::int64_t maker = 0;
    for (const char* name : {"SOFTWARE", "Velka", "Tamo TA Common"}) {
        maker = suite;
        if (insertKey(s, suite, name, suite) != kOk) return kStoreError;
    }
    // Every product of the suite counts as installed, as after a full
    // installation: the folder lists and helps by these keys.
    for (const char* product : {"Tamo TA ISDN Modem", "Tamo TA Pro ISDN Modem", "Tamo TA PCI Card",
                                "Tamo TA PC Card", "Tamo TA Mobile"}) {
        std::int64_t id = 0;
        if (insertKey(s, maker, product, id) != kOk) return kStoreError;
    }
    std::int64_t directory = 0, view = 0;
    if (insertKey(s, suite, "Directory", directory) != kOk ||
        insertKey(s, suite, "View", view) != kOk)
        return kStoreError;
    const struct {
        const char* name;
        std::string dir;
    } values[] = {
        {"Install", paths::installDir()},   {"Help", paths::helpDir()},
        {"Profiles", paths::profilesDir()}, {"ELM", paths::firmwareDir()},
        {"Data", paths::dataDir()},
    };
    // Callers append file names directly, so every folder ends with '/'.
    for (const auto& v : values) {
        const std::string text = v.dir + "/";
        if (insertValue(s, directory, v.name, static_cast<std::int64_t>(RegType::String),
                        text.c_str(), text.size() + 1) != kOk)
            return kStoreError;
    }
    // The ".cpl" file type opens the suite's modem panel; the folder starts
    // that command with its argument replaced.
    const struct {
        std::initializer_list<const char*> path;
        const char* text;
    } classes[] = {{{".cpl"}, "cplfile"},
                   {{"cplfile", "shell", "cplopen", "command"}, "ta-modems %1"}};
    for (const auto& c : classes) {
        std::int64_t key = 3;  // HKCR
        for (const char* name : c.path)
            if (insertKey(s, key, name, key) != kOk) return kStoreError;
        if (insertValue(s, key, "", static_cast<std::int64_t>(RegType::String), c.text,
                        std::strlen(c.text) + 1) != kOk)
            return kStoreError;
    }
    const std::vector<std::uint8_t> on = encodeDword(1);
    if (insertValue(s, view, "DetectOptimalCOMSpeed", static_cast<std::int64_t>(RegType::Dword),
                    on.data(), on.size()) != kOk)
        return kStoreError;
    return exec(s.db(), "INSERT INTO meta(name, value) VALUES('schema','1')");
}

std::int32_t initialise(Connection& c) {
    sqlite3_busy_timeout(c.db, kBusyTimeoutMs);
    sqlite3_extended_result_codes(c.db, 0);
    const int wal = retryBusy([&] { return execRc(c.db, "PRAGMA journal_mode=WAL"); });
    if (wal != SQLITE_OK) return kStoreError;
    execRc(c.db, "PRAGMA synchronous=NORMAL");
    if (retryBusy([&] { return execRc(c.db, "BEGIN IMMEDIATE"); }) != SQLITE_OK) return kStoreError;
    Session s(c.db, &c);
    std::int32_t rc = exec(c.db, kSchema);
    if (rc == kOk) {
        Statement st = s.prepare("SELECT value FROM meta WHERE name='schema'");
        const int step = st.step();
        if (step == SQLITE_DONE)
            rc = kOk + 1;  // new store
        else if (step != SQLITE_ROW)
            rc = kStoreError;
    }
    if (rc == kOk + 1) rc = fillDefaults(s);
    if (rc != kOk || retryBusy([&] { return execRc(c.db, "COMMIT"); }) != SQLITE_OK) {
        execRc(c.db, "ROLLBACK");
        return kStoreError;
    }
    return kOk;
}

std::shared_ptr<Connection> openConnection(const std::string& path) {
    auto c = std::make_shared<Connection>();
    c->pid = ::getpid();
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.c_str(), &c->db, flags, nullptr) != SQLITE_OK) return nullptr;
    if (initialise(*c) != kOk) return nullptr;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return nullptr;
    c->dev = st.st_dev;
    c->ino = st.st_ino;
    return c;
}

struct Cache {
    std::mutex mutex;
    std::map<std::string, std::shared_ptr<Connection>> connections;
    std::vector<std::string> order;  // least recently used first
    // Connections a forked child inherited: never used or closed here, only
    // kept reachable so leak checkers do not report the parent's memory.
    std::vector<std::shared_ptr<Connection>> inherited;
};

Cache& cache() {
    static Cache* instance = new Cache;  // lives until exit: other statics may still use it
    return *instance;
}

void drop(Cache& c, const std::string& path) {
    auto it = c.connections.find(path);
    if (it != c.connections.end()) {
        if (it->second->pid != ::getpid()) c.inherited.push_back(it->second);
        c.connections.erase(it);
    }
    std::erase(c.order, path);
}

// The connection for the current store path. A cached one is reused only if
// it belongs to this process and its file is still the one on disk (a test
// may have removed the folder, someone may have deleted the database).
std::shared_ptr<Connection> connection() {
    const std::string path = paths::registryDbPath();
    Cache& c = cache();
    std::lock_guard lock(c.mutex);
    auto it = c.connections.find(path);
    if (it != c.connections.end()) {
        struct stat st {};
        const Connection& conn = *it->second;
        if (conn.pid == ::getpid() && ::stat(path.c_str(), &st) == 0 && st.st_dev == conn.dev &&
            st.st_ino == conn.ino) {
            std::erase(c.order, path);
            c.order.push_back(path);
            return it->second;
        }
        drop(c, path);
    }
    auto fresh = openConnection(path);
    if (!fresh) return nullptr;
    c.connections[path] = fresh;
    c.order.push_back(path);
    while (c.order.size() > kMaxConnections) drop(c, c.order.front());
    return fresh;
}

}  // namespace

Statement::~Statement() {
    if (stmt_) {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }
}

void Statement::bind(int index, std::int64_t value) {
    if (stmt_) sqlite3_bind_int64(stmt_, index, value);
}

void Statement::bind(int index, std::string_view text) {
    // A default-constructed view has no data pointer, which SQLite would
    // store as NULL instead of the empty name.
    if (stmt_)
        sqlite3_bind_text(stmt_, index, text.data() ? text.data() : "",
                          static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void Statement::bindBlob(int index, const void* data, std::size_t size) {
    // Likewise an empty value is an empty blob, never NULL.
    if (stmt_) sqlite3_bind_blob64(stmt_, index, data ? data : "", size, SQLITE_TRANSIENT);
}

int Statement::step() {
    return stmt_ ? sqlite3_step(stmt_) : SQLITE_ERROR;
}

std::int64_t Statement::int64(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

std::string Statement::text(int column) const {
    const auto* p = sqlite3_column_text(stmt_, column);
    const int n = sqlite3_column_bytes(stmt_, column);
    return p ? std::string(reinterpret_cast<const char*>(p), static_cast<std::size_t>(n))
             : std::string();
}

std::vector<std::uint8_t> Statement::blob(int column) const {
    const auto* p = static_cast<const std::uint8_t*>(sqlite3_column_blob(stmt_, column));
    const int n = sqlite3_column_bytes(stmt_, column);
    return p ? std::vector<std::uint8_t>(p, p + n) : std::vector<std::uint8_t>();
}

Statement Session::prepare(const char* sql) {
    auto& statements = static_cast<Connection*>(cache_)->statements;
    auto it = statements.find(std::string_view(sql));
    if (it != statements.end()) return Statement(it->second);
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db_, sql, -1, &stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return Statement(nullptr);
    }
    statements.emplace(sql, stmt);
    return Statement(stmt);
}

namespace {

// The transaction this thread has open, so that the operations of a batch
// join it instead of waiting for its lock.
struct Open {
    Connection* connection = nullptr;
    Access access = Access::Read;
};
thread_local Open tOpen;

}  // namespace

std::int32_t run(Access access, const std::function<std::int32_t(Session&)>& work) {
    const std::shared_ptr<Connection> conn = connection();
    if (!conn) return kStoreError;
    if (tOpen.connection == conn.get()) {
        // A write inside a read batch would have to upgrade its snapshot,
        // which SQLite may refuse without waiting; batches say up front.
        if (access == Access::Write && tOpen.access == Access::Read) return kInvalidParameter;
        Session joined(conn->db, conn.get());
        return work(joined);
    }
    std::lock_guard lock(conn->mutex);
    sqlite3* db = conn->db;
    // A writer takes the write lock up front: upgrading a read transaction
    // later can fail with SQLITE_BUSY without the busy handler waiting.
    const char* begin = access == Access::Write ? "BEGIN IMMEDIATE" : "BEGIN";
    if (retryBusy([&] { return execRc(db, begin); }) != SQLITE_OK) return kStoreError;
    Session session(db, conn.get());
    const Open outer = tOpen;
    tOpen = {conn.get(), access};
    const std::int32_t rc = work(session);
    tOpen = outer;
    if (rc != kOk && access == Access::Write) {
        execRc(db, "ROLLBACK");
        return rc;
    }
    if (retryBusy([&] { return execRc(db, "COMMIT"); }) != SQLITE_OK) {
        execRc(db, "ROLLBACK");
        return kStoreError;
    }
    return rc;
}

std::string fold(std::string_view name) {
    std::string out(name);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

}  // namespace platform::regdb
