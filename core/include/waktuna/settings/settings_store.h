// The settings key: the one place the program keeps its settings (on
// Windows the registry key HKEY_LOCAL_MACHINE\Software\Waktuna3).
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

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<StoredValue> Read(std::string_view name) const = 0;
    virtual bool Write(std::string_view name, const StoredValue& value) = 0;
    virtual bool Delete(std::string_view name) = 0;
    virtual std::vector<std::string> Names() const = 0;
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

// The stored form of each kind.
StoredValue DwordValue(uint32_t value);
StoredValue StringValue(std::string_view text);
StoredValue DoubleValue(double value);

}  // namespace waktuna
