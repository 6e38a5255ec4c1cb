// Keys and values of the registry store. Every operation is one transaction
// of the shared database, so a value written by one program is whole when
// another reads it.
#include "platform/registry_store.h"

#include <cstring>

#include "platform/os_version.h"
#include "platform/registry_db.h"

namespace platform {

namespace {

using regdb::Access;
using regdb::Session;
using regdb::Statement;

std::int64_t rootId(RegRoot root) {
    return static_cast<std::int64_t>(root) + 1;
}

bool validRoot(RegRoot root) {
    return static_cast<std::uint8_t>(root) <= 3;
}

// "a\b\c" -> {a, b, c}; "" -> {} (the root itself). Empty names inside a
// path and over-long names are refused: they could never have been created.
std::int32_t splitPath(std::string_view path, std::vector<std::string_view>& parts) {
    parts.clear();
    if (path.empty()) return kOk;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t slash = path.find('\\', pos);
        const std::string_view part = path.substr(
            pos, slash == std::string_view::npos ? std::string_view::npos : slash - pos);
        if (part.empty() || part.size() > kMaxKeyNameLength) return kInvalidParameter;
        parts.push_back(part);
        if (slash == std::string_view::npos) return kOk;
        pos = slash + 1;
    }
}

std::int32_t findChild(Session& s, std::int64_t parent, std::string_view name, std::int64_t& id) {
    Statement st = s.prepare("SELECT id FROM keys WHERE parent=? AND fold=?");
    st.bind(1, parent);
    st.bind(2, regdb::fold(name));
    const int rc = st.step();
    if (rc == SQLITE_ROW) {
        id = st.int64(0);
        return kOk;
    }
    return rc == SQLITE_DONE ? kFileNotFound : kStoreError;
}

std::int32_t resolve(Session& s, std::int64_t start, std::string_view path, std::int64_t& id) {
    std::vector<std::string_view> parts;
    if (const std::int32_t rc = splitPath(path, parts); rc != kOk) return rc;
    id = start;
    for (std::string_view part : parts)
        if (const std::int32_t rc = findChild(s, id, part, id); rc != kOk) return rc;
    return kOk;
}

// A key that was deleted while someone held it open.
std::int32_t checkAlive(Session& s, std::int64_t id) {
    Statement st = s.prepare("SELECT 1 FROM keys WHERE id=?");
    st.bind(1, id);
    const int rc = st.step();
    if (rc == SQLITE_ROW) return kOk;
    return rc == SQLITE_DONE ? kFileNotFound : kStoreError;
}

struct RawValue {
    RegType type = RegType::None;
    std::vector<std::uint8_t> data;
};

std::int32_t loadValue(Session& s, std::int64_t key, std::string_view name, RawValue& out) {
    if (const std::int32_t rc = checkAlive(s, key); rc != kOk) return rc;
    Statement st = s.prepare("SELECT type, data FROM vals WHERE key=? AND fold=?");
    st.bind(1, key);
    st.bind(2, regdb::fold(name));
    const int rc = st.step();
    if (rc == SQLITE_DONE) return kFileNotFound;
    if (rc != SQLITE_ROW) return kStoreError;
    out.type = static_cast<RegType>(static_cast<std::uint32_t>(st.int64(0)));
    out.data = st.blob(1);
    // A database written by something else may hold more than any of our
    // writers would store.
    if (out.data.size() > kMaxValueBytes) return kInvalidData;
    return kOk;
}

std::int32_t storeValue(Session& s, std::int64_t key, std::string_view name, RegType type,
                        const void* data, std::size_t size) {
    if (const std::int32_t rc = checkAlive(s, key); rc != kOk) return rc;
    // An existing value keeps its place in the enumeration order and the
    // case of its name.
    Statement st = s.prepare(
        "INSERT INTO vals(key, name, fold, type, data) VALUES(?,?,?,?,?) "
        "ON CONFLICT(key, fold) DO UPDATE SET type=excluded.type, data=excluded.data");
    st.bind(1, key);
    st.bind(2, name);
    st.bind(3, regdb::fold(name));
    st.bind(4, static_cast<std::int64_t>(type));
    st.bindBlob(5, data, size);
    return st.step() == SQLITE_DONE ? kOk : kStoreError;
}

std::int32_t hasSubKeys(Session& s, std::int64_t id, bool& any) {
    Statement st = s.prepare("SELECT 1 FROM keys WHERE parent=? LIMIT 1");
    st.bind(1, id);
    const int rc = st.step();
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) return kStoreError;
    any = rc == SQLITE_ROW;
    return kOk;
}

std::int32_t removeTree(Session& s, std::int64_t id) {
    static constexpr const char* kTree =
        "WITH RECURSIVE tree(id) AS (SELECT ? UNION ALL "
        "SELECT k.id FROM keys k JOIN tree t ON k.parent = t.id) ";
    static const std::string kValues = std::string(kTree) + "DELETE FROM vals WHERE key IN tree";
    static const std::string kKeys = std::string(kTree) + "DELETE FROM keys WHERE id IN tree";
    for (const std::string* sql : {&kValues, &kKeys}) {
        Statement st = s.prepare(sql->c_str());
        st.bind(1, id);
        if (st.step() != SQLITE_DONE) return kStoreError;
    }
    return kOk;
}

std::int32_t nthName(Session& s, const char* sql, std::int64_t key, std::uint32_t index,
                     std::string& name, std::int64_t* type) {
    if (const std::int32_t rc = checkAlive(s, key); rc != kOk) return rc;
    Statement st = s.prepare(sql);
    st.bind(1, key);
    st.bind(2, static_cast<std::int64_t>(index));
    const int rc = st.step();
    if (rc == SQLITE_DONE) return kNoMoreItems;
    if (rc != SQLITE_ROW) return kStoreError;
    name = st.text(0);
    if (type) *type = st.int64(1);
    return kOk;
}

std::int32_t allNames(Session& s, const char* sql, std::int64_t key,
                      std::vector<std::string>& names) {
    if (const std::int32_t rc = checkAlive(s, key); rc != kOk) return rc;
    Statement st = s.prepare(sql);
    st.bind(1, key);
    names.clear();
    int rc;
    while ((rc = st.step()) == SQLITE_ROW) names.push_back(st.text(0));
    return rc == SQLITE_DONE ? kOk : kStoreError;
}

}  // namespace

std::int32_t regBatch(RegBatch kind, const std::function<std::int32_t()>& work) {
    const Access access = kind == RegBatch::Write ? Access::Write : Access::Read;
    return regdb::run(access, [&](Session&) { return work(); });
}

RegKey::~RegKey() {
    close();
}

RegKey::RegKey(RegKey&& other) noexcept
    : root_(other.root_), path_(std::move(other.path_)), id_(other.id_) {
    other.id_ = 0;
}

RegKey& RegKey::operator=(RegKey&& other) noexcept {
    if (this != &other) {
        root_ = other.root_;
        path_ = std::move(other.path_);
        id_ = other.id_;
        other.id_ = 0;
    }
    return *this;
}

void RegKey::close() {
    id_ = 0;
    path_.clear();
}

std::int32_t RegKey::open(RegRoot root, std::string_view path, RegKey& out) {
    out.close();
    if (!validRoot(root)) return kInvalidParameter;
    std::int64_t id = 0;
    const std::int32_t rc =
        regdb::run(Access::Read, [&](Session& s) { return resolve(s, rootId(root), path, id); });
    if (rc != kOk) return rc;
    out.root_ = root;
    out.path_.assign(path);
    out.id_ = id;
    return kOk;
}

std::int32_t RegKey::create(RegRoot root, std::string_view path, RegKey& out, bool* created) {
    out.close();
    if (created) *created = false;
    if (!validRoot(root)) return kInvalidParameter;
    std::vector<std::string_view> parts;
    if (const std::int32_t rc = splitPath(path, parts); rc != kOk) return rc;
    std::int64_t id = rootId(root);
    bool made = false;
    const std::int32_t rc = regdb::run(Access::Write, [&](Session& s) {
        id = rootId(root);
        made = false;
        for (std::string_view part : parts) {
            const std::int32_t found = findChild(s, id, part, id);
            if (found == kOk) continue;
            if (found != kFileNotFound) return found;
            Statement st = s.prepare("INSERT INTO keys(parent, name, fold) VALUES(?,?,?)");
            st.bind(1, id);
            st.bind(2, part);
            st.bind(3, regdb::fold(part));
            if (st.step() != SQLITE_DONE) return kStoreError;
            id = s.lastInsertId();
            made = true;
        }
        return kOk;
    });
    if (rc != kOk) return rc;
    if (created) *created = made;
    out.root_ = root;
    out.path_.assign(path);
    out.id_ = id;
    return kOk;
}

std::int32_t RegKey::readRaw(std::string_view name, RegType& type,
                             std::vector<std::uint8_t>& data) const {
    if (!isOpen()) return kInvalidHandle;
    RawValue v;
    const std::int32_t rc =
        regdb::run(Access::Read, [&](Session& s) { return loadValue(s, id_, name, v); });
    if (rc != kOk) return rc;
    type = v.type;
    data = std::move(v.data);
    return kOk;
}

std::int32_t RegKey::queryValueInfo(std::string_view name, RegType& type,
                                    std::uint32_t& size) const {
    std::vector<std::uint8_t> data;
    RegType t;
    const std::int32_t rc = readRaw(name, t, data);
    if (rc != kOk) return rc;
    type = t;
    size = static_cast<std::uint32_t>(data.size());
    return kOk;
}

std::int32_t RegKey::queryValue(std::string_view name, RegType& type, void* buffer,
                                std::uint32_t& size) const {
    std::vector<std::uint8_t> data;
    RegType t;
    const std::int32_t rc = readRaw(name, t, data);
    if (rc != kOk) return rc;
    type = t;
    if (data.size() > size || (buffer == nullptr && !data.empty())) {
        size = static_cast<std::uint32_t>(data.size());
        return kMoreData;
    }
    if (!data.empty()) std::memcpy(buffer, data.data(), data.size());
    size = static_cast<std::uint32_t>(data.size());
    return kOk;
}

namespace {

// Reads a value that must be of type `want`; a value of another type is
// invalid data, never reinterpreted.
template <typename T>
std::int32_t readTyped(const RegKey& key, std::string_view name, RegType want, T& out,
                       std::int32_t (*decode)(const std::vector<std::uint8_t>&, T&)) {
    std::vector<std::uint8_t> data;
    RegType type;
    const std::int32_t rc = key.readRaw(name, type, data);
    if (rc != kOk) return rc;
    return type == want ? decode(data, out) : kInvalidData;
}

}  // namespace

std::int32_t RegKey::readString(std::string_view name, std::string& out) const {
    return readTyped(*this, name, RegType::String, out, decodeString);
}

std::int32_t RegKey::readDword(std::string_view name, std::uint32_t& out) const {
    return readTyped(*this, name, RegType::Dword, out, decodeDword);
}

std::int32_t RegKey::setString(std::string_view name, std::string_view text) {
    if (!isOpen()) return kInvalidHandle;
    if (text.size() + 1 > kMaxValueBytes) return kInvalidParameter;
    std::string data(text);
    data.push_back('\0');
    return regdb::run(Access::Write, [&](Session& s) {
        return storeValue(s, id_, name, RegType::String, data.data(), data.size());
    });
}

std::int32_t RegKey::setDword(std::string_view name, std::uint32_t value) {
    if (!isOpen()) return kInvalidHandle;
    const std::vector<std::uint8_t> data = encodeDword(value);
    return regdb::run(Access::Write, [&](Session& s) {
        return storeValue(s, id_, name, RegType::Dword, data.data(), data.size());
    });
}

std::int32_t RegKey::deleteValue(std::string_view name) {
    if (!isOpen()) return kInvalidHandle;
    return regdb::run(Access::Write, [&](Session& s) {
        if (const std::int32_t rc = checkAlive(s, id_); rc != kOk) return rc;
        Statement st = s.prepare("DELETE FROM vals WHERE key=? AND fold=?");
        st.bind(1, id_);
        st.bind(2, regdb::fold(name));
        if (st.step() != SQLITE_DONE) return kStoreError;
        return s.changes() > 0 ? kOk : kFileNotFound;
    });
}

std::int32_t RegKey::enumKey(std::uint32_t index, std::string& name) const {
    if (!isOpen()) return kInvalidHandle;
    return regdb::run(Access::Read, [&](Session& s) {
        return nthName(s, "SELECT name FROM keys WHERE parent=? ORDER BY id LIMIT 1 OFFSET ?", id_,
                       index, name, nullptr);
    });
}

std::int32_t RegKey::enumValue(std::uint32_t index, std::string& name, RegType& type) const {
    if (!isOpen()) return kInvalidHandle;
    std::int64_t raw = 0;
    const std::int32_t rc = regdb::run(Access::Read, [&](Session& s) {
        return nthName(s, "SELECT name, type FROM vals WHERE key=? ORDER BY seq LIMIT 1 OFFSET ?",
                       id_, index, name, &raw);
    });
    if (rc == kOk) type = static_cast<RegType>(static_cast<std::uint32_t>(raw));
    return rc;
}

std::int32_t RegKey::subKeyNames(std::vector<std::string>& names) const {
    if (!isOpen()) return kInvalidHandle;
    return regdb::run(Access::Read, [&](Session& s) {
        return allNames(s, "SELECT name FROM keys WHERE parent=? ORDER BY id", id_, names);
    });
}

std::int32_t RegKey::valueNames(std::vector<std::string>& names) const {
    if (!isOpen()) return kInvalidHandle;
    return regdb::run(Access::Read, [&](Session& s) {
        return allNames(s, "SELECT name FROM vals WHERE key=? ORDER BY seq", id_, names);
    });
}

namespace {

std::int32_t deleteBelow(std::int64_t parent, std::string_view name, bool refuseWithSubKeys) {
    if (name.empty()) return kInvalidParameter;
    return regdb::run(Access::Write, [&](Session& s) {
        if (const std::int32_t rc = checkAlive(s, parent); rc != kOk) return rc;
        std::int64_t id = 0;
        if (const std::int32_t rc = resolve(s, parent, name, id); rc != kOk) return rc;
        if (refuseWithSubKeys) {
            bool any = false;
            if (const std::int32_t rc = hasSubKeys(s, id, any); rc != kOk) return rc;
            if (any) return kAccessDenied;
        }
        return removeTree(s, id);
    });
}

}  // namespace

std::int32_t RegKey::deleteSubKey(std::string_view name) {
    if (!isOpen()) return kInvalidHandle;
    return deleteBelow(id_, name, osVersion().platformId == kPlatformNt);
}

std::int32_t RegKey::deleteTree(std::string_view name) {
    if (!isOpen()) return kInvalidHandle;
    return deleteBelow(id_, name, false);
}

}  // namespace platform
