#pragma once
// Helpers shared by the tests.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <typeinfo>
#include <vector>

#include <VantrelLib/VantrelLib.h>

namespace testsupport {

// `text` with its first `from` replaced by `to` (a failure when there is none).
inline std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// The messages of an exception chain, outermost first.
inline std::vector<std::string> Chain(const LtXmlLib3::CLtException& error) {
    std::vector<std::string> messages;
    for (const LtXmlLib3::CLtException* level = &error; level != nullptr; level = level->GetInnerException())
        messages.push_back(level->what());
    return messages;
}

// The chain of the CLtException `action` throws (empty, with a test failure,
// when it throws nothing or something else).
inline std::vector<std::string> ChainOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const LtXmlLib3::CLtException& error) {
        return Chain(error);
    } catch (const std::exception& other) {
        ADD_FAILURE() << "unexpected exception " << typeid(other).name() << ": " << other.what();
        return {};
    }
    ADD_FAILURE() << "no exception thrown";
    return {};
}

// The chain of the failure reading `xml` into a fresh T.
template <class T>
std::vector<std::string> ReadFailure(const std::string& xml) {
    auto object = T::CreateInstance();
    return ChainOf([&] { object->FromXml(xml); });
}

// The wrapper messages of the element pattern.
inline std::string AttributesOf(const std::string& element) {
    return "Failed to correctly process the attributes for the element [" + element + "]";
}
inline std::string ChildrenOf(const std::string& element) {
    return "Failed to process the child elements in element [" + element + "]";
}
inline std::string ConvertOf(const std::string& element) {
    return "Failed to convert the element [" + element + "] to XML";
}
inline std::string Unknown(const std::string& element) {
    return "Failed read all the elements held within the element. Unknown Element [" + element +
           "] remains un processed";
}

// The main class factory makes class C under `id`, named `elementName`, or as asked.
template <class C>
void ExpectCreated(VantrelLib::CClassFactory::VantrelLib_Classes id, const std::string& elementName) {
    SCOPED_TRACE(elementName);
    using Factory = VantrelLib::CClassFactory;
    for (const bool named : {false, true}) {
        auto object = named ? Factory::CreateClass(id, "Named") : Factory::CreateClass(id);
        EXPECT_NE(dynamic_cast<C*>(object.get()), nullptr);
        EXPECT_EQ(object->GetElementName(), named ? std::string("Named") : elementName);
    }
}

// Writes `object`, reads the text into a fresh T and writes that again: the
// two texts must be identical. Returns the object read.
template <class T>
LtXmlLib3::CSmartPtr<T> RoundTrip(T* object) {
    const std::string first = object->ToXml();
    auto copy = T::CreateInstance();
    copy->FromXml(first);
    EXPECT_EQ(copy->ToXml(), first);
    return copy;
}

}  // namespace testsupport
