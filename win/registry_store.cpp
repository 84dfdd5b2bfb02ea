#include "win/registry_store.h"

#include <string>

namespace app {

std::unique_ptr<RegistryStore> RegistryStore::Open(HKEY root, const char* path, REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, access, &key) != ERROR_SUCCESS) return nullptr;
    return std::make_unique<RegistryStore>(key);
}

std::optional<waktuna::StoredValue> RegistryStore::Read(std::string_view name) const {
    const std::string n(name);
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key_, n.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    // The value may grow between the two calls: ask again with what it needs.
    std::string data;
    for (int attempt = 0; attempt < 4; ++attempt) {
        data.assign(size, '\0');
        DWORD got = size;
        const LSTATUS st = RegQueryValueExA(key_, n.c_str(), nullptr, &type,
                                            reinterpret_cast<BYTE*>(data.data()), &got);
        if (st == ERROR_MORE_DATA) {
            size = got;
            continue;
        }
        if (st != ERROR_SUCCESS) return std::nullopt;
        data.resize(got);
        if ((type == REG_SZ || type == REG_EXPAND_SZ) && !data.empty() && data.back() == '\0')
            data.pop_back();
        return waktuna::StoredValue{type, std::move(data)};
    }
    return std::nullopt;
}

namespace {
// The A calls end a name at its first NUL: the rest would name another
// value (an empty rest, the key's unnamed value).
bool Nameable(std::string_view name) { return name.find('\0') == std::string_view::npos; }
}  // namespace

bool RegistryStore::Write(std::string_view name, const waktuna::StoredValue& value) {
    if (!Nameable(name)) return false;
    std::string data = value.data;
    if (value.type == REG_SZ || value.type == REG_EXPAND_SZ) data.push_back('\0');
    return RegSetValueExA(key_, std::string(name).c_str(), 0, value.type,
                          reinterpret_cast<const BYTE*>(data.data()),
                          static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

bool RegistryStore::Delete(std::string_view name) {
    if (!Nameable(name)) return false;
    const LSTATUS st = RegDeleteValueA(key_, std::string(name).c_str());
    return st == ERROR_SUCCESS || st == ERROR_FILE_NOT_FOUND;
}

std::vector<std::string> RegistryStore::Names() const {
    std::vector<std::string> names;
    char buf[16384];
    for (DWORD i = 0;; ++i) {
        DWORD len = sizeof buf;
        const LSTATUS st = RegEnumValueA(key_, i, buf, &len, nullptr, nullptr, nullptr, nullptr);
        if (st != ERROR_SUCCESS) break;  // the end, or a key that cannot be listed
        names.emplace_back(buf, len);
    }
    return names;
}

SettingsKey::SettingsKey(HKEY root, const char* path) : root_(root), path_(path) { Reopen(); }

void SettingsKey::Reopen() {
    // A read-only handle opened earlier stays valid; a new key is found.
    if (!reader_) reader_ = RegistryStore::Open(root_, path_, KEY_READ);
}

std::optional<waktuna::StoredValue> SettingsKey::Read(std::string_view name) const {
    return reader_ ? reader_->Read(name) : std::nullopt;
}

std::vector<std::string> SettingsKey::Names() const {
    return reader_ ? reader_->Names() : std::vector<std::string>{};
}

template <class ChangeFn>
bool SettingsKey::Change(ChangeFn&& change) {
    HKEY key = nullptr;
    last_error_ = RegCreateKeyExA(root_, path_, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr, &key, nullptr);
    if (last_error_ != ERROR_SUCCESS) return false;
    RegistryStore writer(key);
    const bool done = change(writer);
    if (!done) last_error_ = ERROR_ACCESS_DENIED;
    if (!reader_) Reopen();
    return done;
}

bool SettingsKey::Write(std::string_view name, const waktuna::StoredValue& value) {
    return Change([&](RegistryStore& key) { return key.Write(name, value); });
}

bool SettingsKey::Delete(std::string_view name) {
    return Change([&](RegistryStore& key) { return key.Delete(name); });
}

ProgramSettingsKey::ProgramSettingsKey(HKEY userRoot, HKEY machineRoot, const char* path)
    : user_(userRoot, path), machine_(machineRoot, path) {}

void ProgramSettingsKey::Reopen() {
    user_.Reopen();
    machine_.Reopen();
}

std::optional<waktuna::StoredValue> ProgramSettingsKey::Read(std::string_view name) const {
    return layered_.Read(name);
}

std::optional<waktuna::StoredValue> ProgramSettingsKey::ReadWithOrigin(std::string_view name,
                                                                       waktuna::ValueOrigin& origin) const {
    return layered_.ReadWithOrigin(name, origin);
}

bool ProgramSettingsKey::Write(std::string_view name, const waktuna::StoredValue& value) {
    return layered_.Write(name, value);
}

bool ProgramSettingsKey::Delete(std::string_view name) { return layered_.Delete(name); }

std::vector<std::string> ProgramSettingsKey::Names() const { return layered_.Names(); }

}  // namespace app
