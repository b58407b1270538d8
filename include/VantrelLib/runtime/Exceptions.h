#pragma once
// Exception family of the runtime: every fault of reading, writing or using an
// object tree is reported as one of these, thrown by value and caught by
// reference. A wrapper keeps the exception it replaced (with its own class) as
// its inner exception, so a caller can walk the chain down to the fault.

#include <exception>
#include <memory>
#include <string>

#include "VantrelLib/Export.h"

namespace LtXmlLib3 {

class VANTREL_EXPORT CLtException : public std::exception {
public:
    explicit CLtException(std::string message);
    // Wraps `inner`: a copy of it (keeping its class) becomes the inner exception.
    CLtException(std::string message, const CLtException& inner);
    ~CLtException() override;
    CLtException(const CLtException&) = default;
    CLtException& operator=(const CLtException&) = default;

    // Exactly this level's message, without the inner ones.
    const char* what() const noexcept override;
    const std::string& GetMessage() const noexcept { return m_message; }
    // The exception this one wraps, or nullptr.
    const CLtException* GetInnerException() const noexcept { return m_inner.get(); }
    // The innermost exception of the chain (this one when it wraps nothing).
    const CLtException& GetInnermost() const noexcept;

    // Source position of the element being read when the fault arose; 0 when unknown.
    int GetLine() const noexcept { return m_line; }
    int GetColumn() const noexcept { return m_column; }
    void SetLocation(int line, int column) noexcept;

    // Where in a list the fault lies, for people (e.g. "index 36, Id 1004"
    // when one item of a collection could not be written); "" when not known.
    // Not part of the message: FormatChain prints it after the message.
    const std::string& GetContext() const noexcept { return m_context; }
    void SetContext(std::string context) { m_context = std::move(context); }
    // A suggestion where the message alone may mislead, worked out from the
    // class declarations (an element out of order, an unknown type or token
    // and what is accepted instead); "" when there is none.
    const std::string& GetHint() const noexcept { return m_hint; }
    void SetHint(std::string hint) { m_hint = std::move(hint); }
    // The hint of the innermost level that has one, or "".
    const std::string& FindHint() const noexcept;

    // The whole chain for people, outermost first, one line per level:
    // "source:line:column: message (context)" (the parts that are unknown are left out).
    std::string FormatChain(const std::string& source = std::string()) const;

    // A heap copy of the most derived exception; used to keep inner exceptions.
    virtual std::shared_ptr<const CLtException> Clone() const;
    // Rethrows the exception as its own class.
    [[noreturn]] virtual void Rethrow() const;

private:
    std::string m_message;
    std::shared_ptr<const CLtException> m_inner;
    std::string m_context;
    std::string m_hint;
    int m_line = 0;
    int m_column = 0;
};

// Faults of reading and writing documents and of wrapping them.
class VANTREL_EXPORT CLtValidationException : public CLtException {
public:
    using CLtException::CLtException;
    std::shared_ptr<const CLtException> Clone() const override;
    [[noreturn]] void Rethrow() const override;
};

// Use of an object in a state that does not allow the call (an unset optional value).
class VANTREL_EXPORT CLtInvalidStateException : public CLtException {
public:
    using CLtException::CLtException;
    std::shared_ptr<const CLtException> Clone() const override;
    [[noreturn]] void Rethrow() const override;
};

// A value that cannot be converted (an enumeration token, a malformed number).
class VANTREL_EXPORT CLtInvalidValueException : public CLtValidationException {
public:
    using CLtValidationException::CLtValidationException;
    std::shared_ptr<const CLtException> Clone() const override;
    [[noreturn]] void Rethrow() const override;
};

}  // namespace LtXmlLib3
