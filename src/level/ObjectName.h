#pragma once
#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <string_view>

// An object's kind as a small handle into a process-wide table of names: a level holds millions
// of objects but only a handful of distinct names, so each object keeps four bytes instead of a
// string. Equal names always have equal handles; the empty name is handle 0.
class ObjectName {
public:
    // Handles fixed for the names the rules test often, so hot loops compare integers.
    enum Known : uint32_t { kEmpty, kRails, kRailsCorner, kStation, kBlocked, kRTurn, kLTurn, kRRecht, k50Pts, k100Pts, kSpeed, kBlock, kKnownCount };

    ObjectName() = default;
    // The handle of `name`, entered in the table the first time it is seen.
    ObjectName(const std::string& name);  // NOLINT: a name converts from text implicitly
    ObjectName(const char* name);          // NOLINT
    ObjectName(Known known) : id_(known) {}
    // The handle of the name spelt by `name`'s bytes, entered the first time it is seen.
    static ObjectName Of(std::string_view name);

    // The name's text; valid for the life of the process.
    const std::string& str() const;
    const char* c_str() const { return str().c_str(); }
    operator const std::string&() const { return str(); }  // NOLINT
    bool empty() const { return id_ == kEmpty; }
    uint32_t id() const { return id_; }

    friend bool operator==(ObjectName a, ObjectName b) { return a.id_ == b.id_; }
    friend bool operator==(ObjectName a, Known b) { return a.id_ == static_cast<uint32_t>(b); }
    friend bool operator==(ObjectName a, const char* b) { return std::strcmp(a.c_str(), b) == 0; }
    friend bool operator==(ObjectName a, const std::string& b) { return a.str() == b; }
    friend std::ostream& operator<<(std::ostream& out, ObjectName name) { return out << name.str(); }

private:
    uint32_t id_ = kEmpty;
};
