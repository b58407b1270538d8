#pragma once

#include <string>

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/framework/GdtClassFactory.h"

namespace gdt {

// A reference to an external file: its absolute path and, optionally, a path
// relative to the data file. The texts are stored as given, never opened or
// normalised. Element "AttachedFile" in the gdt namespace.
class CAttachedFile : public LtXmlLib3::CInstanceMonitor,
                      public virtual LtXmlLib3::CXmlObjectBase,
                      public VantrelLib::Framework::CElement<CAttachedFile> {
public:
    const std::string& GetAbsolutePath() const { return m_absolutePath; }
    void SetAbsolutePath(const std::string& value) { m_absolutePath = value; }

    // Throws CLtInvalidStateException while RelativePath is not valid.
    const std::string& GetRelativePath() const { return m_relativePath.Get("RelativePath"); }
    void SetRelativePath(const std::string& value) { m_relativePath.Set(value); }
    bool IsValidRelativePath() const { return m_relativePath.IsValid(); }
    // A change of validity empties RelativePath.
    void SetValidRelativePath(bool valid) { m_relativePath.SetValid(valid); }

    CAttachedFile(const CAttachedFile&) = default;
    CAttachedFile& operator=(const CAttachedFile&) = default;

protected:
    CAttachedFile() : CInstanceMonitor("CAttachedFile") { Init(); }
    explicit CAttachedFile(std::string elementName) : CAttachedFile() { SetElementName(this, elementName); }
    ~CAttachedFile() override = default;

private:
    friend class VantrelLib::Framework::CElement<CAttachedFile>;
    static const VantrelLib::Framework::ElementSchema& Schema();

    std::string m_absolutePath;
    VantrelLib::Framework::COptional<std::string> m_relativePath;
};

}  // namespace gdt
