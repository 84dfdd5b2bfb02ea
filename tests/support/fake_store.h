// The tests' settings store: values in memory, every read and write recorded
// by name, and writes of the names in `refused` (or, with `refuse_all`, every
// write and delete) refused, as a key a standard user may not change.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "waktuna/settings/settings_store.h"

namespace waktuna {

class FakeStore final : public SettingsStore {
public:
    FakeStore() = default;
    explicit FakeStore(std::vector<std::string> refusedNames) : refused(std::move(refusedNames)) {}

    std::optional<StoredValue> Read(std::string_view name) const override {
        reads.emplace_back(name);
        return inner.Read(name);
    }
    bool Write(std::string_view name, const StoredValue& value) override {
        writes.emplace_back(name);
        return !Refuses(name) && inner.Write(name, value);
    }
    bool Delete(std::string_view name) override { return !Refuses(name) && inner.Delete(name); }
    std::vector<std::string> Names() const override { return inner.Names(); }

    MemorySettingsStore inner;
    mutable std::vector<std::string> reads;
    std::vector<std::string> writes;
    std::vector<std::string> refused;
    bool refuse_all = false;

private:
    bool Refuses(std::string_view name) const {
        if (refuse_all) return true;
        for (const auto& r : refused)
            if (SameValueName(r, name)) return true;
        return false;
    }
};

}  // namespace waktuna
