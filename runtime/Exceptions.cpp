#include "VantrelLib/runtime/Exceptions.h"

#include <utility>

namespace LtXmlLib3 {

CLtException::CLtException(std::string message) : m_message(std::move(message)) {}

CLtException::CLtException(std::string message, const CLtException& inner)
    : m_message(std::move(message)), m_inner(inner.Clone()) {}

CLtException::~CLtException() = default;

const char* CLtException::what() const noexcept { return m_message.c_str(); }

const CLtException& CLtException::GetInnermost() const noexcept {
    const CLtException* level = this;
    while (level->GetInnerException() != nullptr) level = level->GetInnerException();
    return *level;
}

void CLtException::SetLocation(int line, int column) noexcept {
    m_line = line;
    m_column = column;
}

const std::string& CLtException::FindHint() const noexcept {
    const std::string* hint = &m_hint;
    for (const CLtException* level = GetInnerException(); level != nullptr; level = level->GetInnerException())
        if (!level->m_hint.empty()) hint = &level->m_hint;
    return *hint;
}

std::string CLtException::FormatChain(const std::string& source) const {
    std::string text;
    for (const CLtException* level = this; level != nullptr; level = level->GetInnerException()) {
        std::string prefix = source;
        if (level->m_line > 0) {
            if (!prefix.empty()) prefix += ':';
            prefix += std::to_string(level->m_line);
            if (level->m_column > 0) prefix += ':' + std::to_string(level->m_column);
        }
        if (!prefix.empty()) text += prefix + ": ";
        text += level->m_message;
        if (!level->m_context.empty()) text += " (" + level->m_context + ')';
        text += '\n';
    }
    return text;
}

std::shared_ptr<const CLtException> CLtException::Clone() const {
    return std::make_shared<CLtException>(*this);
}
void CLtException::Rethrow() const { throw *this; }

std::shared_ptr<const CLtException> CLtValidationException::Clone() const {
    return std::make_shared<CLtValidationException>(*this);
}
void CLtValidationException::Rethrow() const { throw *this; }

std::shared_ptr<const CLtException> CLtInvalidStateException::Clone() const {
    return std::make_shared<CLtInvalidStateException>(*this);
}
void CLtInvalidStateException::Rethrow() const { throw *this; }

std::shared_ptr<const CLtException> CLtInvalidValueException::Clone() const {
    return std::make_shared<CLtInvalidValueException>(*this);
}
void CLtInvalidValueException::Rethrow() const { throw *this; }

}  // namespace LtXmlLib3
