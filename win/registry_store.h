// The settings keys in the registry behind the core's SettingsStore seam (A
// functions, text in the ANSI code page): each user's
// HKEY_CURRENT_USER\Software\Waktuna3 over the machine's
// HKEY_LOCAL_MACHINE\Software\Waktuna3, the defaults an administrator sets.
// The typed reads and the missing-value rules live in core.
#pragma once

#include <windows.h>

#include <memory>

#include "waktuna/settings/settings_store.h"
#include "win/handles.h"

namespace app {

inline constexpr const char* kSettingsKeyPath = "Software\\Waktuna3";

class RegistryStore final : public waktuna::SettingsStore {
public:
    // Takes ownership of an open key; closes it when destroyed.
    explicit RegistryStore(HKEY key) : key_(key) {}

    // Opens an existing key (never creates it); nullptr when it cannot be
    // opened with the access asked for.
    static std::unique_ptr<RegistryStore> Open(HKEY root, const char* path, REGSAM access);

    std::optional<waktuna::StoredValue> Read(std::string_view name) const override;
    bool Write(std::string_view name, const waktuna::StoredValue& value) override;
    bool Delete(std::string_view name) override;
    std::vector<std::string> Names() const override;

    HKEY key() const { return key_; }

private:
    UniqueKey key_;
};

// The settings key as the program uses it. Reads go through a key opened for
// reading only, which a standard user may always open. Each change opens the
// key for writing just for itself (creating it when missing), so its result
// reaches the caller and no handle with write rights stays open.
class SettingsKey final : public waktuna::SettingsStore {
public:
    SettingsKey(HKEY root, const char* path);

    // True when the key could be opened for reading.
    bool Exists() const { return reader_ != nullptr; }
    // Tries again to open the key for reading (it may have been created since).
    void Reopen();

    std::optional<waktuna::StoredValue> Read(std::string_view name) const override;
    bool Write(std::string_view name, const waktuna::StoredValue& value) override;
    bool Delete(std::string_view name) override;
    std::vector<std::string> Names() const override;

    // The Windows error of the last change that failed (ERROR_ACCESS_DENIED
    // for a user without the right to change the key); 0 when none failed.
    LSTATUS LastError() const { return last_error_; }

private:
    template <class ChangeFn>
    bool Change(ChangeFn&& change);

    HKEY root_;
    const char* path_;
    std::unique_ptr<RegistryStore> reader_;
    LSTATUS last_error_ = ERROR_SUCCESS;
};

// The program's settings: the user's key over the machine's. A value the
// user has not set reads from the machine's key, so a user who never saved
// sees what the machine holds; every write and delete goes to the user's key,
// and the machine's key is only ever read.
class ProgramSettingsKey final : public waktuna::SettingsStore {
public:
    ProgramSettingsKey(HKEY userRoot, HKEY machineRoot, const char* path);

    // True when either key could be opened for reading.
    bool Exists() const { return user_.Exists() || machine_.Exists(); }
    void Reopen();
    // Each key alone, for rules that must tell them apart.
    SettingsKey& User() { return user_; }
    const SettingsKey& Machine() const { return machine_; }

    std::optional<waktuna::StoredValue> Read(std::string_view name) const override;
    std::optional<waktuna::StoredValue> ReadWithOrigin(std::string_view name,
                                                       waktuna::ValueOrigin& origin) const override;
    bool Write(std::string_view name, const waktuna::StoredValue& value) override;
    bool Delete(std::string_view name) override;
    std::vector<std::string> Names() const override;

private:
    SettingsKey user_;
    SettingsKey machine_;
    waktuna::LayeredSettingsStore layered_{user_, &machine_};
};

}  // namespace app
