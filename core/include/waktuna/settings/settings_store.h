// The settings key: the one place the program keeps its settings (on
// Windows the user's HKEY_CURRENT_USER\Software\Waktuna3 read over the
// machine-wide HKEY_LOCAL_MACHINE\Software\Waktuna3, see
// LayeredSettingsStore).
//
// SettingsStore is the seam. An implementation stores named values, each a
// registry type code and its data bytes, and does nothing else: the typed
// reads below (and every rule about missing or malformed values) are built
// on Read() in core, so all stores behave alike.
//
// Implementing it (the Windows registry side):
//   Read(name)   RegQueryValueExA: the type and the bytes. For REG_SZ and
//                REG_EXPAND_SZ the data is the text without its terminating
//                zero (drop one trailing zero byte if present). Missing or
//                unreadable: nullopt.
//   Write        RegSetValueExA with the type and the bytes (for REG_SZ add
//                the terminating zero). True when stored.
//   Delete       RegDeleteValueA. True when the value is gone afterwards.
//   Names        RegEnumValueA over all values, in the order it gives.
// Value names are compared without regard to letter case ("latitude" and
// "Latitude" are one value), as the registry does.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace waktuna {

// Registry type codes as the registry numbers them.
enum ValueType : uint32_t {
    kTypeNone = 0,      // REG_NONE
    kTypeString = 1,    // REG_SZ
    kTypeExpand = 2,    // REG_EXPAND_SZ
    kTypeBinary = 3,    // REG_BINARY
    kTypeDword = 4,     // REG_DWORD (little-endian 32-bit)
};

struct StoredValue {
    uint32_t type = kTypeNone;
    std::string data;  // the bytes; text without its terminating zero
    friend bool operator==(const StoredValue&, const StoredValue&) = default;
};

// Where a value that was read comes from.
enum class ValueOrigin : uint8_t {
    User,     // the user's own settings
    Machine,  // the defaults set for every user of the computer
};

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<StoredValue> Read(std::string_view name) const = 0;
    virtual bool Write(std::string_view name, const StoredValue& value) = 0;
    virtual bool Delete(std::string_view name) = 0;
    virtual std::vector<std::string> Names() const = 0;
    // Read(), telling where the value was found. A store of one layer holds
    // the user's own values only.
    virtual std::optional<StoredValue> ReadWithOrigin(std::string_view name, ValueOrigin& origin) const {
        origin = ValueOrigin::User;
        return Read(name);
    }
};

// The user's settings over the machine's: a value the user has is read from
// the user's store, any other from the machine's; Names() lists both (each
// name once, the user's spelling first). Every write and delete goes to the
// user's store only, so the machine's values are never changed; after a
// delete, a machine value of the same name reads again. `machine` may be
// nullptr (no machine-wide settings). Both stores must outlive this one.
class LayeredSettingsStore final : public SettingsStore {
public:
    LayeredSettingsStore(SettingsStore& user, const SettingsStore* machine)
        : user_(user), machine_(machine) {}
    std::optional<StoredValue> Read(std::string_view name) const override;
    std::optional<StoredValue> ReadWithOrigin(std::string_view name, ValueOrigin& origin) const override;
    bool Write(std::string_view name, const StoredValue& value) override;
    bool Delete(std::string_view name) override;
    std::vector<std::string> Names() const override;

private:
    SettingsStore& user_;
    const SettingsStore* machine_;
};

// A store in memory: for tests, the command line and anywhere the registry is
// not at hand. Names keep the spelling they were first written with and are
// listed in the order they were first written.
class MemorySettingsStore final : public SettingsStore {
public:
    std::optional<StoredValue> Read(std::string_view name) const override;
    bool Write(std::string_view name, const StoredValue& value) override;
    bool Delete(std::string_view name) override;
    std::vector<std::string> Names() const override;

private:
    std::vector<std::pair<std::string, StoredValue>> values_;
};

// Value names are equal when equal after turning a-z to A-Z.
bool SameValueName(std::string_view a, std::string_view b);

// ---- Typed reads and writes ---------------------------------------------

// A DWORD: 0 when the value is missing or its data is not exactly 4 bytes
// (of whatever type).
uint32_t ReadDword(const SettingsStore& store, std::string_view name);
// A text: empty when the value is missing or not of type REG_SZ; the text
// ends at its first zero byte.
std::string ReadString(const SettingsStore& store, std::string_view name);
// An 8-byte binary read as a little-endian IEEE-754 double: 0.0 when the
// value is missing or holds fewer than 8 bytes; longer data gives its first
// 8 bytes.
double ReadDouble(const SettingsStore& store, std::string_view name);

bool WriteDword(SettingsStore& store, std::string_view name, uint32_t value);
bool WriteString(SettingsStore& store, std::string_view name, std::string_view text);
bool WriteDouble(SettingsStore& store, std::string_view name, double value);

// ---- Values that point outside the program ----------------------------------

// A path to a file the program opens by itself (an adzan sound): the text of
// ReadString, but empty (no file) when the value comes from the machine's
// settings and names a network location (see IsNetworkPath): opening it would
// hand every user's network credentials to that server.
std::string ReadLocalFilePath(const SettingsStore& store, std::string_view name);
// A path beginning with two slashes of either kind (\\server\share,
// //server, \\?\UNC\..., \\.\device), the NT prefix \??\, or holding "://" (a
// URL the media player could open).
bool IsNetworkPath(std::string_view path);
// A file's name without any folder: no "\", "/", ":" and no "..".
bool IsPlainFileName(std::string_view name);

// The stored form of each kind.
StoredValue DwordValue(uint32_t value);
StoredValue StringValue(std::string_view text);
StoredValue DoubleValue(double value);

}  // namespace waktuna
