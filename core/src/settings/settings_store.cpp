#include "waktuna/settings/settings_store.h"

#include <algorithm>
#include <cstring>

namespace waktuna {

namespace {

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool SameValueName(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return UpperAscii(x) == UpperAscii(y); });
}

std::optional<StoredValue> MemorySettingsStore::Read(std::string_view name) const {
    for (const auto& [n, v] : values_) {
        if (SameValueName(n, name)) return v;
    }
    return std::nullopt;
}

bool MemorySettingsStore::Write(std::string_view name, const StoredValue& value) {
    for (auto& [n, v] : values_) {
        if (SameValueName(n, name)) {
            v = value;
            return true;
        }
    }
    values_.emplace_back(std::string(name), value);
    return true;
}

bool MemorySettingsStore::Delete(std::string_view name) {
    std::erase_if(values_, [&](const auto& entry) { return SameValueName(entry.first, name); });
    return true;
}

std::vector<std::string> MemorySettingsStore::Names() const {
    std::vector<std::string> names;
    names.reserve(values_.size());
    for (const auto& entry : values_) names.push_back(entry.first);
    return names;
}

std::optional<StoredValue> LayeredSettingsStore::Read(std::string_view name) const {
    ValueOrigin origin;
    return ReadWithOrigin(name, origin);
}

std::optional<StoredValue> LayeredSettingsStore::ReadWithOrigin(std::string_view name,
                                                                ValueOrigin& origin) const {
    origin = ValueOrigin::User;
    if (auto value = user_.Read(name)) return value;
    if (!machine_) return std::nullopt;
    origin = ValueOrigin::Machine;
    return machine_->Read(name);
}

bool LayeredSettingsStore::Write(std::string_view name, const StoredValue& value) {
    return user_.Write(name, value);
}

bool LayeredSettingsStore::Delete(std::string_view name) { return user_.Delete(name); }

std::vector<std::string> LayeredSettingsStore::Names() const {
    std::vector<std::string> names = user_.Names();
    if (!machine_) return names;
    const size_t own = names.size();
    for (std::string& name : machine_->Names()) {
        const auto end = names.begin() + static_cast<std::ptrdiff_t>(own);
        if (std::none_of(names.begin(), end, [&](const std::string& n) { return SameValueName(n, name); }))
            names.push_back(std::move(name));
    }
    return names;
}

bool IsNetworkPath(std::string_view path) {
    const auto slash = [&](size_t i) { return i < path.size() && (path[i] == '\\' || path[i] == '/'); };
    return (slash(0) && slash(1)) || path.starts_with("\\??\\") || path.find("://") != std::string_view::npos;
}

bool IsPlainFileName(std::string_view name) {
    return name.find_first_of("\\/:") == std::string_view::npos && name.find("..") == std::string_view::npos;
}

std::string ReadLocalFilePath(const SettingsStore& store, std::string_view name) {
    ValueOrigin origin;
    const auto value = store.ReadWithOrigin(name, origin);
    if (!value || value->type != kTypeString) return {};
    std::string path = value->data.substr(0, value->data.find('\0'));
    if (origin == ValueOrigin::Machine && IsNetworkPath(path)) return {};
    return path;
}

uint32_t ReadDword(const SettingsStore& store, std::string_view name) {
    const auto value = store.Read(name);
    if (!value || value->data.size() != 4) return 0;
    const auto* b = reinterpret_cast<const unsigned char*>(value->data.data());
    return uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
}

std::string ReadString(const SettingsStore& store, std::string_view name) {
    const auto value = store.Read(name);
    if (!value || value->type != kTypeString) return {};
    return value->data.substr(0, value->data.find('\0'));
}

double ReadDouble(const SettingsStore& store, std::string_view name) {
    const auto value = store.Read(name);
    if (!value || value->data.size() < 8) return 0.0;
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = bits << 8 | static_cast<unsigned char>(value->data[i]);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

StoredValue DwordValue(uint32_t value) {
    StoredValue v{kTypeDword, std::string(4, '\0')};
    for (int i = 0; i < 4; ++i) v.data[i] = static_cast<char>(value >> (8 * i) & 0xFF);
    return v;
}

StoredValue StringValue(std::string_view text) { return StoredValue{kTypeString, std::string(text)}; }

StoredValue DoubleValue(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    StoredValue v{kTypeBinary, std::string(8, '\0')};
    for (int i = 0; i < 8; ++i) v.data[i] = static_cast<char>(bits >> (8 * i) & 0xFF);
    return v;
}

bool WriteDword(SettingsStore& store, std::string_view name, uint32_t value) {
    return store.Write(name, DwordValue(value));
}

bool WriteString(SettingsStore& store, std::string_view name, std::string_view text) {
    return store.Write(name, StringValue(text));
}

bool WriteDouble(SettingsStore& store, std::string_view name, double value) {
    return store.Write(name, DoubleValue(value));
}

}  // namespace waktuna
