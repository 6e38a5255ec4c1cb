// tactl reg: inspect and change the registry store from the command line,
// modelled on the classic reg tool so its habits carry over.
//   tactl reg query  KEY [/v NAME | /ve] [/s]
//   tactl reg add    KEY [/v NAME | /ve] [/t REG_SZ|REG_DWORD] [/d DATA] [/f]
//   tactl reg delete KEY [/v NAME | /ve] [/f]
#include <strings.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "cli/commands.h"
#include "platform/registry_store.h"
#include "platform/status_codes.h"

namespace cli {

namespace {

using platform::RegKey;
using platform::RegRoot;
using platform::RegType;

constexpr const char* kUsage =
    "Aufruf:\n"
    "  tactl reg query  SCHLÜSSEL [/v NAME | /ve] [/s]\n"
    "  tactl reg add    SCHLÜSSEL [/v NAME | /ve] [/t REG_SZ|REG_DWORD] [/d DATEN] [/f]\n"
    "  tactl reg delete SCHLÜSSEL [/v NAME | /ve] [/f]\n"
    "SCHLÜSSEL beginnt mit HKLM, HKCU, HKCR oder HKDD (auch HKEY_LOCAL_MACHINE usw.),\n"
    "z. B. \"HKLM\\SOFTWARE\\Velka\\Tamo TA Common\\Directory\".\n";
constexpr const char* kDone = "Der Vorgang wurde erfolgreich beendet.\n";
constexpr const char* kNotFound =
    "FEHLER: Der angegebene Registrierungsschlüssel bzw. Wert wurde nicht gefunden.\n";
constexpr const char* kDefaultValueName = "(Standard)";

struct Request {
    std::string op;
    RegRoot root = RegRoot::LocalMachine;
    std::string path;
    std::string keyText;               // as typed, for messages
    std::optional<std::string> value;  // /v NAME or /ve ("")
    std::string type = "REG_SZ";
    std::optional<std::string> data;
    bool recursive = false;
};

int usageError(const char* message) {
    std::fprintf(stderr, "FEHLER: %s\n\n%s", message, kUsage);
    return kExitUsage;
}

int storeError(std::int32_t rc) {
    if (rc == platform::kFileNotFound) {
        std::fputs(kNotFound, stderr);
    } else if (rc == platform::kAccessDenied) {
        std::fputs("FEHLER: Zugriff verweigert.\n", stderr);
    } else {
        std::fprintf(stderr,
                     "FEHLER: Der Registrierungsspeicher meldet einen Fehler (Code %d: %s).\n",
                     static_cast<int>(rc), status::statusText(rc).c_str());
    }
    return kExitFailed;
}

// Reads "KEY [switches]" into req; returns 0 or the usage exit code.
int parseRequest(const Args& args, Request& req) {
    if (args.size() < 2) return usageError("Zu wenige Argumente.");
    req.op = args[0];
    req.keyText = args[1];
    if (!platform::parseRootedKey(req.keyText, req.root, req.path))
        return usageError(("Ungültiger Schlüssel \"" + req.keyText + "\".").c_str());
    for (std::size_t i = 2; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasNext = i + 1 < args.size();
        if (isSwitch(a, "v") && hasNext && !req.value) {
            req.value = args[++i];
        } else if (isSwitch(a, "ve") && !req.value) {
            req.value = std::string();
        } else if (isSwitch(a, "t") && hasNext) {
            req.type = args[++i];
        } else if (isSwitch(a, "d") && hasNext) {
            req.data = args[++i];
        } else if (isSwitch(a, "s")) {
            req.recursive = true;
        } else if (isSwitch(a, "f")) {
            // Nothing is ever asked interactively, so there is nothing to force.
        } else {
            return usageError(("Ungültiges Argument \"" + a + "\".").c_str());
        }
    }
    return 0;
}

std::string fullName(RegRoot root, const std::string& path) {
    std::string name(platform::rootLongName(root));
    if (!path.empty()) name += "\\" + path;
    return name;
}

void printValue(const std::string& name, RegType type, const std::vector<std::uint8_t>& data) {
    std::printf("    %s    %s    %s\n", name.empty() ? kDefaultValueName : name.c_str(),
                std::string(platform::typeName(type)).c_str(),
                platform::valueDataText(type, data).c_str());
}

int queryKey(RegRoot root, const std::string& path, bool recursive) {
    RegKey key;
    if (const std::int32_t rc = RegKey::open(root, path, key); rc != platform::kOk)
        return storeError(rc);
    std::vector<std::string> values, subKeys;
    if (const std::int32_t rc = key.valueNames(values); rc != platform::kOk) return storeError(rc);
    if (const std::int32_t rc = key.subKeyNames(subKeys); rc != platform::kOk)
        return storeError(rc);
    std::printf("\n%s\n", fullName(root, path).c_str());
    for (const std::string& name : values) {
        RegType type;
        std::vector<std::uint8_t> data;
        // A value removed by another program meanwhile is simply not shown.
        if (key.readRaw(name, type, data) == platform::kOk) printValue(name, type, data);
    }
    if (recursive) {
        for (const std::string& sub : subKeys) {
            const int rc = queryKey(root, path.empty() ? sub : path + "\\" + sub, true);
            if (rc != kExitOk) return rc;
        }
        return kExitOk;
    }
    if (!subKeys.empty()) std::printf("\n");
    for (const std::string& sub : subKeys)
        std::printf("%s\n", fullName(root, path.empty() ? sub : path + "\\" + sub).c_str());
    return kExitOk;
}

int query(const Request& req) {
    if (!req.value) return queryKey(req.root, req.path, req.recursive);
    RegKey key;
    if (const std::int32_t rc = RegKey::open(req.root, req.path, key); rc != platform::kOk)
        return storeError(rc);
    RegType type;
    std::vector<std::uint8_t> data;
    if (const std::int32_t rc = key.readRaw(*req.value, type, data); rc != platform::kOk)
        return storeError(rc);
    std::printf("\n%s\n", fullName(req.root, req.path).c_str());
    printValue(*req.value, type, data);
    return kExitOk;
}

// Decimal or 0x-prefixed hexadecimal, the whole text, within 32 bits.
bool parseDword(const std::string& text, std::uint32_t& out) {
    if (text.empty() || text[0] == '-' || text[0] == '+' || text[0] == ' ') return false;
    errno = 0;
    char* end = nullptr;
    const unsigned long long v = std::strtoull(text.c_str(), &end, 0);
    if (errno != 0 || *end != '\0' || v > 0xFFFFFFFFull) return false;
    out = static_cast<std::uint32_t>(v);
    return true;
}

int add(const Request& req) {
    std::uint32_t number = 0;
    const bool isDword = strcasecmp(req.type.c_str(), "REG_DWORD") == 0;
    if (req.value) {
        if (!isDword && strcasecmp(req.type.c_str(), "REG_SZ") != 0)
            return usageError(("Nicht unterstützter Typ \"" + req.type + "\".").c_str());
        if (isDword && !parseDword(req.data.value_or("0"), number))
            return usageError(("Ungültige Zahl für REG_DWORD: \"" + *req.data + "\".").c_str());
    } else if (req.data) {
        return usageError("/d braucht /v oder /ve.");
    }
    RegKey key;
    if (const std::int32_t rc = RegKey::create(req.root, req.path, key); rc != platform::kOk)
        return storeError(rc);
    if (req.value) {
        const std::int32_t rc = isDword ? key.setDword(*req.value, number)
                                        : key.setString(*req.value, req.data.value_or(""));
        if (rc != platform::kOk) return storeError(rc);
    }
    std::fputs(kDone, stdout);
    return kExitOk;
}

int remove(const Request& req) {
    if (req.value) {
        RegKey key;
        std::int32_t rc = RegKey::open(req.root, req.path, key);
        if (rc == platform::kOk) rc = key.deleteValue(*req.value);
        if (rc != platform::kOk) return storeError(rc);
        std::fputs(kDone, stdout);
        return kExitOk;
    }
    if (req.path.empty()) return usageError("Ein Stammschlüssel kann nicht gelöscht werden.");
    const std::size_t slash = req.path.rfind('\\');
    const std::string parentPath =
        slash == std::string::npos ? std::string() : req.path.substr(0, slash);
    const std::string last = slash == std::string::npos ? req.path : req.path.substr(slash + 1);
    RegKey parent;
    std::int32_t rc = RegKey::open(req.root, parentPath, parent);
    if (rc == platform::kOk) rc = parent.deleteTree(last);
    if (rc != platform::kOk) return storeError(rc);
    std::fputs(kDone, stdout);
    return kExitOk;
}

}  // namespace

int runReg(const Args& args) {
    if (args.empty()) return usageError("Zu wenige Argumente.");
    if (isSwitch(args[0], "?") || args[0] == "help") {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    Request req;
    if (const int rc = parseRequest(args, req); rc != 0) return rc;
    if (strcasecmp(req.op.c_str(), "query") == 0) return query(req);
    if (strcasecmp(req.op.c_str(), "add") == 0) return add(req);
    if (strcasecmp(req.op.c_str(), "delete") == 0) return remove(req);
    return usageError(("Unbekannter Vorgang \"" + req.op + "\".").c_str());
}

}  // namespace cli
