#include "level/ObjectName.h"

#include <deque>
#include <string_view>
#include <unordered_map>

namespace {

// The table of every name met so far. Names are kept in a deque so their addresses (and the views
// keyed on them) stay valid as it grows.
struct NameTable {
    std::deque<std::string> names;
    std::unordered_map<std::string_view, uint32_t> ids;

    NameTable() {
        for (const char* known : {"", "rails", "railscorner", "station", "blocked", "rturn", "lturn", "rrecht", "50pts",
                                  "100pts", "speed", "block"})
            Intern(known);
    }
    uint32_t Intern(std::string_view name) {
        const auto found = ids.find(name);
        if (found != ids.end()) return found->second;
        names.emplace_back(name);
        const auto id = static_cast<uint32_t>(names.size() - 1);
        ids.emplace(names.back(), id);
        return id;
    }
};

NameTable& Table() {
    static NameTable table;
    return table;
}

}  // namespace

ObjectName::ObjectName(const std::string& name) : id_(Table().Intern(name)) {}

ObjectName::ObjectName(const char* name) : id_(Table().Intern(name)) {}

ObjectName ObjectName::Of(std::string_view name) {
    ObjectName handle;
    handle.id_ = Table().Intern(name);
    return handle;
}

const std::string& ObjectName::str() const { return Table().names[id_]; }
