#include "authoring/LevelCode.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "level/Level.h"
#include "level/LevelWriter.h"
#include "level/Tiles.h"

namespace {

constexpr std::string_view kPrefix = "T1.";
constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
// The camera turn every framed level has (looking north and down): written as one flag.
constexpr float kFramedUp[3] = {0.0f, -0.848048091f, 0.529919267f};
constexpr float kFramedLook[3] = {0.0f, -0.529919267f, -0.848048091f};
constexpr float kFramedRight[3] = {1.0f, 0.0f, 0.0f};

// Object flags in the low bits of the kind number.
constexpr uint64_t kPlainObject = 0;  // on the grid, scale 1, a whole quarter turn: tile and turn follow
constexpr uint64_t kAnyObject = 1;    // anything else: x, y, scale and angle bits, degrees follow

uint32_t Bits(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

float FloatOf(uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

uint64_t ZigZag(int64_t v) { return (static_cast<uint64_t>(v) << 1) ^ static_cast<uint64_t>(v >> 63); }
int64_t UnZigZag(uint64_t v) { return static_cast<int64_t>(v >> 1) ^ -static_cast<int64_t>(v & 1); }

class Packer {
public:
    void Varint(uint64_t v) {
        while (v >= 0x80) {
            bytes_.push_back(static_cast<uint8_t>(v | 0x80));
            v >>= 7;
        }
        bytes_.push_back(static_cast<uint8_t>(v));
    }
    void Signed(int64_t v) { Varint(ZigZag(v)); }
    void Float(float v) {
        const uint32_t bits = Bits(v);
        for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<uint8_t>(bits >> (8 * i)));
    }
    void Text(const std::string& s) {
        Varint(s.size());
        bytes_.insert(bytes_.end(), s.begin(), s.end());
    }
    void Byte(uint8_t b) { bytes_.push_back(b); }
    const std::vector<uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

class Unpacker {
public:
    explicit Unpacker(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
    bool Varint(uint64_t* v) {
        *v = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (at_ >= bytes_.size()) return false;
            const uint8_t b = bytes_[at_++];
            *v |= static_cast<uint64_t>(b & 0x7F) << shift;
            if (!(b & 0x80)) return true;
        }
        return false;
    }
    bool Int32(int32_t* v) {
        uint64_t raw;
        if (!Varint(&raw)) return false;
        const int64_t wide = UnZigZag(raw);
        if (wide < INT32_MIN || wide > INT32_MAX) return false;
        *v = static_cast<int32_t>(wide);
        return true;
    }
    bool Float(float* v) {
        if (bytes_.size() - at_ < 4) return false;
        uint32_t bits = 0;
        for (int i = 0; i < 4; ++i) bits |= static_cast<uint32_t>(bytes_[at_++]) << (8 * i);
        *v = FloatOf(bits);
        return true;
    }
    bool Byte(uint8_t* b) {
        if (at_ >= bytes_.size()) return false;
        *b = bytes_[at_++];
        return true;
    }
    bool Text(std::string* s) {
        uint64_t size;
        if (!Varint(&size) || size > bytes_.size() - at_) return false;
        s->assign(reinterpret_cast<const char*>(bytes_.data() + at_), static_cast<size_t>(size));
        at_ += static_cast<size_t>(size);
        return true;
    }
    size_t Left() const { return bytes_.size() - at_; }

private:
    const std::vector<uint8_t>& bytes_;
    size_t at_ = 0;
};

bool FramedTurn(const Camera& camera) {
    const auto same = [](const Vec3& v, const float (&w)[3]) { return Bits(v.x) == Bits(w[0]) && Bits(v.y) == Bits(w[1]) && Bits(v.z) == Bits(w[2]); };
    return same(camera.up, kFramedUp) && same(camera.look, kFramedLook) && same(camera.right, kFramedRight);
}

// The angle the loader makes of whole degrees read from a file.
float AngleOf(int32_t degrees) { return degrees != 0 ? DegreesToRadians(static_cast<float>(degrees)) : 0.0f; }

// True, with the quarter turns in *quarter, when the object's turn is 0, 90, 180 or 270 whole
// degrees as the loader makes them.
bool QuarterTurn(const LevelObject& o, uint64_t* quarter) {
    if (o.degrees < 0 || o.degrees > 270 || o.degrees % 90 != 0 || Bits(AngleOf(o.degrees)) != Bits(o.angle)) return false;
    *quarter = static_cast<uint64_t>(o.degrees / 90);
    return true;
}

std::string Base64Url(const std::vector<uint8_t>& bytes) {
    std::string out;
    uint32_t buffer = 0;
    int bits = 0;
    for (uint8_t b : bytes) {
        buffer = (buffer << 8) | b;
        bits += 8;
        while (bits >= 6) {
            bits -= 6;
            out += kAlphabet[(buffer >> bits) & 0x3F];
        }
    }
    if (bits > 0) out += kAlphabet[(buffer << (6 - bits)) & 0x3F];
    return out;
}

bool FromBase64Url(std::string_view text, std::vector<uint8_t>* bytes, std::string* why) {
    uint32_t buffer = 0;
    int bits = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char* found = std::strchr(kAlphabet, text[i]);
        if (!found || text[i] == '\0') {
            *why = "the character at " + std::to_string(kPrefix.size() + i + 1) + " is not one a level code uses";
            return false;
        }
        buffer = (buffer << 6) | static_cast<uint32_t>(found - kAlphabet);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            bytes->push_back(static_cast<uint8_t>(buffer >> bits));
        }
    }
    return true;
}

}  // namespace

std::string EncodeLevelCode(const Level& level) {
    Packer out;
    out.Text(level.style);
    out.Signed(level.width);
    out.Signed(level.height);
    out.Signed(level.trainX);
    out.Signed(level.trainY);
    out.Byte(static_cast<uint8_t>(level.trainHeading));
    out.Signed(level.finishX);
    out.Signed(level.finishY);
    out.Byte(static_cast<uint8_t>(level.finishHeading));
    out.Float(level.speed);
    const Camera camera = level.camera ? *level.camera : Camera();
    const bool framed = FramedTurn(camera);
    out.Byte(framed ? 1 : 0);
    for (float v : {camera.position.x, camera.position.y, camera.position.z}) out.Float(v);
    if (!framed)
        for (const Vec3* v : {&camera.up, &camera.look, &camera.right})
            for (float f : {v->x, v->y, v->z}) out.Float(f);

    std::vector<const LevelObject*> entries;
    for (size_t i = 0; i < level.objects.size(); ++i) {
        entries.push_back(&level.objects[i]);
        if (StationRingFollows(level, i)) i += 8;
    }
    std::map<std::string, uint64_t> kinds;
    std::vector<std::string> names;
    for (const LevelObject* o : entries)
        if (kinds.emplace(o->name.str(), names.size()).second) names.push_back(o->name.str());
    out.Varint(names.size());
    for (const std::string& name : names) out.Text(name);
    out.Varint(entries.size());
    for (const LevelObject* o : entries) {
        const uint64_t kind = kinds[o->name.str()];
        uint64_t quarter = 0;
        if (level.InsideGrid(o->x, o->y) && Bits(o->scale) == Bits(1.0f) && QuarterTurn(*o, &quarter)) {
            out.Varint((kind << 3) | (quarter << 1) | kPlainObject);
            out.Varint(static_cast<uint64_t>(o->y) * static_cast<uint64_t>(level.width) + static_cast<uint64_t>(o->x));
        } else {
            out.Varint((kind << 3) | kAnyObject);
            out.Signed(o->x);
            out.Signed(o->y);
            out.Float(o->scale);
            out.Float(o->angle);
            out.Signed(o->degrees);
        }
    }
    return std::string(kPrefix) + Base64Url(out.bytes());
}

bool DecodeLevelCode(std::string_view code, std::string* levelText, std::string* why) {
    if (code.size() > kMaxLevelCodeBytes) {
        *why = "the code is longer than 64 KiB";
        return false;
    }
    if (code.substr(0, kPrefix.size()) != kPrefix) {
        *why = "not a level code: it does not start with " + std::string(kPrefix);
        return false;
    }
    std::vector<uint8_t> bytes;
    if (!FromBase64Url(code.substr(kPrefix.size()), &bytes, why)) return false;
    Unpacker in(bytes);
    Level level(nullptr, nullptr);
    level.camera = std::make_unique<Camera>();
    Camera& camera = *level.camera;
    uint8_t trainHeading = 0, finishHeading = 0, framed = 0;
    bool ok = in.Text(&level.style) && in.Int32(&level.width) && in.Int32(&level.height) && in.Int32(&level.trainX) &&
              in.Int32(&level.trainY) && in.Byte(&trainHeading) && in.Int32(&level.finishX) && in.Int32(&level.finishY) &&
              in.Byte(&finishHeading) && in.Float(&level.speed) && in.Byte(&framed) && framed <= 1 &&
              in.Float(&camera.position.x) && in.Float(&camera.position.y) && in.Float(&camera.position.z);
    level.trainHeading = static_cast<char>(trainHeading);
    level.finishHeading = static_cast<char>(finishHeading);
    if (ok && framed) {
        camera.up = {kFramedUp[0], kFramedUp[1], kFramedUp[2]};
        camera.look = {kFramedLook[0], kFramedLook[1], kFramedLook[2]};
        camera.right = {kFramedRight[0], kFramedRight[1], kFramedRight[2]};
    } else {
        for (Vec3* v : {&camera.up, &camera.look, &camera.right}) ok = ok && in.Float(&v->x) && in.Float(&v->y) && in.Float(&v->z);
    }
    uint64_t kindCount = 0, objectCount = 0;
    std::vector<std::string> names;
    ok = ok && in.Varint(&kindCount) && kindCount <= in.Left();
    for (uint64_t k = 0; ok && k < kindCount; ++k) {
        names.emplace_back();
        ok = in.Text(&names.back());
    }
    // Each object takes two bytes at least: the count cannot ask for more than the bytes left hold.
    ok = ok && in.Varint(&objectCount) && objectCount <= in.Left() / 2;
    size_t textSize = 0;
    for (uint64_t i = 0; ok && i < objectCount; ++i) {
        uint64_t head = 0;
        LevelObject object;
        ok = in.Varint(&head) && (head >> 3) < names.size();
        if (!ok) break;
        object.name = ObjectName::Of(names[static_cast<size_t>(head >> 3)]);
        if ((head & 1) == kPlainObject) {
            uint64_t tile = 0;
            ok = in.Varint(&tile) && level.width > 0 && level.height > 0 &&
                 tile < static_cast<uint64_t>(level.width) * static_cast<uint64_t>(level.height);
            if (!ok) break;
            object.x = static_cast<int32_t>(tile % static_cast<uint64_t>(level.width));
            object.y = static_cast<int32_t>(tile / static_cast<uint64_t>(level.width));
            object.degrees = static_cast<int32_t>((head >> 1) & 3) * 90;
            object.angle = AngleOf(object.degrees);
        } else {
            ok = in.Int32(&object.x) && in.Int32(&object.y) && in.Float(&object.scale) && in.Float(&object.angle) &&
                 in.Int32(&object.degrees);
        }
        textSize += names[static_cast<size_t>(head >> 3)].size() + 40;
        ok = ok && textSize <= kMaxDecodedLevelBytes;
        level.objects.push_back(object);
    }
    if (ok && in.Left() != 0) ok = false;
    if (!ok) {
        *why = textSize > kMaxDecodedLevelBytes ? "the level would be larger than 1 MiB" : "the code does not hold a whole level";
        return false;
    }
    // A style or a name is one word of a level file: with white space in it, or none at all, the
    // file would read as another level.
    const auto oneWord = [](const std::string& word) {
        return !word.empty() && word.find_first_of(std::string(" \t\n\v\f\r\0", 7)) == std::string::npos;
    };
    if (!oneWord(level.style) || !std::all_of(names.begin(), names.end(), oneWord)) {
        *why = "the code's level has a name that is not one word";
        return false;
    }
    level.objectCount = static_cast<int32_t>(level.objects.size());
    *levelText = LevelText(level);
    if (levelText->size() > kMaxDecodedLevelBytes) {
        *why = "the level would be larger than 1 MiB";
        return false;
    }
    // The text must load as a whole, as a level file must.
    Level loaded(nullptr, nullptr);
    if (loaded.LoadText(*levelText) != 0 || loaded.loadStop) {
        *why = "the code's level does not load";
        return false;
    }
    return true;
}
