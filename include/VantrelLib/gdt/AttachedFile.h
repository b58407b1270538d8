#pragma once

#include "VantrelLib/framework/Element.h"

namespace gdt {

// A reference to an external file: its absolute path and, optionally, a path
// relative to the data file. The texts are stored as given, never opened or
// normalised. Element "AttachedFile" in the gdt namespace.
class VANTREL_EXPORT CAttachedFile : public VantrelLib::Framework::CElement<CAttachedFile> {
public:
    const std::string& GetAbsolutePath() const { return m_absolutePath; }
    void SetAbsolutePath(const std::string& value) { m_absolutePath = value; }

    // Throws CLtInvalidStateException while RelativePath is not valid.
    const std::string& GetRelativePath() const { return m_relativePath.Get("RelativePath"); }
    void SetRelativePath(const std::string& value) { m_relativePath.Set(value); }
    bool IsValidRelativePath() const { return m_relativePath.IsValid(); }
    // A change of validity empties RelativePath.
    void SetValidRelativePath(bool valid) { m_relativePath.SetValid(valid); }

    VANTREL_ELEMENT(CAttachedFile);
    std::string m_absolutePath;
    VantrelLib::Framework::COptional<std::string> m_relativePath;
};

}  // namespace gdt
