#include "RandomTree.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>

namespace randomtree {

namespace {

using LtXmlLib3::CSmartPtr;
namespace V = VantrelLib;
using VantrelLib::Reflection::ClassInfo;
using VantrelLib::Reflection::Property;

// Pieces random strings are made of: letters and digits, every kind of XML
// whitespace, the characters markup escapes, and 2-, 3- and 4-byte UTF-8
// (é, €, 中, no-break space, U+FFFD, 𝄞, U+10FFFD).
const char* const kStringPieces[] = {
    "a",  "Z",  "0",   "9", " ",  "  ", "\t", "\n", "\r", "&", "<",  ">",  "\"", "'",  "]]>", "=",
    "/",  "\\", "%",   "#", ";",  "-",  ".",  "Ship", "Tank 7", "\xC3\xA9", "\xE2\x82\xAC", "\xE4\xB8\xAD",
    "\xC2\xA0", "\xEF\xBF\xBD", "\xF0\x9D\x84\x9E", "\xF4\x8F\xBF\xBD",
};

}  // namespace

Generator::Generator(std::uint64_t seed, Options options) : m_engine(seed), m_options(options) {}

// --- Values ---------------------------------------------------------------------

int Generator::Below(int count) { return static_cast<int>(m_engine() % static_cast<std::uint64_t>(count)); }

bool Generator::Maybe() {
    if (m_options.full) return true;
    return std::uniform_real_distribution<double>(0.0, 1.0)(m_engine) < m_options.optionalChance;
}

int Generator::Count(int minimum) {
    const int most = std::max(minimum, m_options.maxItems);
    if (m_options.full) return std::max(1, most);
    return minimum + Below(most - minimum + 1);
}

bool Generator::Bool() { return (m_engine() & 1) != 0; }

double Generator::Double() {
    using Limits = std::numeric_limits<double>;
    static const double kSpecial[] = {Limits::quiet_NaN(), Limits::infinity(), -Limits::infinity(), 0.0, -0.0,
                                      Limits::denorm_min(), -Limits::denorm_min(), Limits::min(), Limits::max(),
                                      Limits::lowest(), Limits::epsilon(), 1e-300, 0.1, 1.0 / 3.0, 1e21, 123456789.0};
    switch (Below(8)) {
        case 0: return kSpecial[Below(static_cast<int>(std::size(kSpecial)))];
        case 1: {
            // Any bit pattern: subnormals and infinities included. A NaN becomes
            // the quiet NaN: its text "NaN" carries no sign or payload.
            const std::uint64_t bits = m_engine();
            double value;
            static_assert(sizeof value == sizeof bits);
            std::memcpy(&value, &bits, sizeof value);
            return std::isnan(value) ? Limits::quiet_NaN() : value;
        }
        default: {
            // Values as programs write them: a few decimals.
            const double value = std::uniform_real_distribution<double>(-1e5, 1e5)(m_engine);
            const double scale = std::pow(10.0, Below(7));
            return std::round(value * scale) / scale;
        }
    }
}

std::int64_t Generator::Int64() {
    using Limits = std::numeric_limits<std::int64_t>;
    static const std::int64_t kSpecial[] = {Limits::min(), Limits::max(), 0, -1, 1};
    switch (Below(6)) {
        case 0: return kSpecial[Below(static_cast<int>(std::size(kSpecial)))];
        case 1: return static_cast<std::int64_t>(m_engine());
        default: return std::uniform_int_distribution<std::int64_t>(-100000, 100000)(m_engine);
    }
}

std::uint64_t Generator::UInt64() {
    static const std::uint64_t kSpecial[] = {0, 1, std::numeric_limits<std::uint64_t>::max()};
    switch (Below(6)) {
        case 0: return kSpecial[Below(static_cast<int>(std::size(kSpecial)))];
        case 1: return m_engine();
        default: return std::uniform_int_distribution<std::uint64_t>(0, 100000)(m_engine);
    }
}

std::string Generator::String() {
    std::string text;
    const int pieces = Below(17);
    for (int i = 0; i < pieces; ++i) text += kStringPieces[Below(static_cast<int>(std::size(kStringPieces)))];
    return text;
}

CSmartPtr<LtXmlLib3::CXmlObjectBase> Generator::New(const ClassInfo& info) {
    CSmartPtr<LtXmlLib3::CXmlObjectBase> object = info.Create();
    Fill(*object);
    return object;
}

// Every class is filled by one walk over its declaration.
void Generator::Fill(LtXmlLib3::CXmlObjectBase& object) {
    const ClassInfo* info = VantrelLib::Reflection::ClassOf(object);
    if (info == nullptr) return;
    for (const Property& property : info->Properties()) {
        switch (property.GetKind()) {
            case Property::Kind::Attribute:
                if (property.IsRequired() || Maybe())
                    SetRandom(object, property);
                else
                    property.SetValid(object, false);
                break;
            case Property::Kind::RequiredChild:
                // Filled in place, or replaced through the setter.
                if (Bool())
                    Fill(*property.GetChild(object));
                else
                    property.SetChild(object, New(*property.ItemClass()));
                break;
            case Property::Kind::OptionalChild:
                property.SetChild(object, Maybe() ? New(*property.ItemClass()) : nullptr);
                break;
            case Property::Kind::Collection:
            case Property::Kind::PolymorphicCollection: {
                const auto& types = VantrelLib::Reflection::PolymorphicTypes();
                const int count = Count(static_cast<int>(property.MinOccurs()));
                for (int i = 0; i < count; ++i) {
                    const ClassInfo* item = property.ItemClass();
                    // Rest entries of every class (each of them in turn in full mode).
                    if (item == nullptr) {
                        const int n = static_cast<int>(types.size());
                        item = types[static_cast<std::size_t>(m_options.full ? i % n : Below(n))];
                    }
                    property.Add(object, New(*item));
                }
                break;
            }
            case Property::Kind::Choice: {
                const auto& branches = property.Branches();
                const int n = static_cast<int>(branches.size());
                const int chosen = m_options.full ? m_choiceTurn++ % n : Below(n);
                const Property& branch = branches[static_cast<std::size_t>(chosen)];
                branch.SetChild(object, New(*branch.ItemClass()));
                break;
            }
        }
    }
}

void Generator::SetRandom(LtXmlLib3::CXmlObjectBase& object, const Property& property) {
    switch (property.GetType()) {
        case Property::Type::Double: return property.SetDouble(object, Double());
        case Property::Type::Int64: return property.SetInt64(object, Int64());
        case Property::Type::UInt64: return property.SetUInt64(object, UInt64());
        case Property::Type::Bool: return property.SetBool(object, Bool());
        case Property::Type::String: return property.SetString(object, String());
        case Property::Type::Enumeration:
            return property.SetEnumeration(object, Below(static_cast<int>(property.Tokens().size())));
        case Property::Type::Element: return;
    }
}

CSmartPtr<V::CVantrel> Generator::Vantrel() {
    CSmartPtr<V::CVantrel> root = V::CVantrel::CreateInstance();
    Fill(*root);
    return root;
}

CSmartPtr<V::CVantrel> RandomVantrel(std::uint64_t seed, const Options& options) {
    Generator generator(seed, options);
    return generator.Vantrel();
}

}  // namespace randomtree
