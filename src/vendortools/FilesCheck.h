#pragma once

#include <string>

#include "vendortools/CheckedFolder.h"
#include "vendortools/FindingKinds.h"
#include "vendortools/FindingList.h"

namespace kestavo::vendortools {

// The files setup.exe looks for in the setup folder: whether they are
// there, under the name it asks for, and of a content it can use.
class FilesCheck {
public:
    FilesCheck(const CheckedFolder& folder, FindingList& findings)
        : m_folder(folder), m_findings(findings) {}

    void Run();

    // A program path followed by parameters ("x.exe /s", "\"a b\\x.exe\" -q"):
    // the program's part, or empty when the text is no such thing.
    static std::string ProgramBeforeParameters(const std::string& path);

private:
    void CheckTagFileNames();
    void CheckPackage();
    void CheckSplashFiles();
    void CheckBackgroundPicture();
    void CheckBillboardPictures();
    void CheckPrograms();
    void CheckActionPrograms();
    void CheckThirdParty(int record, const std::string& type);
    void CheckThirdPartyFile(const std::string& key, const std::string& name,
                             const std::string& type);
    void CheckRunProgram(int record);

    // Whether the file is there; a finding of `missing` when it is not.
    bool Require(const std::string& relativePath, const FindingKind& missing,
                 const std::string& section, const std::string& key, const std::string& message,
                 const std::string& fix);
    void RequirePicture(const std::string& relativePath, const FindingKind& missing,
                        const std::string& section, const std::string& key,
                        const std::string& consequence, const std::string& fix);
    void RequireMedia(const std::string& relativePath, const FindingKind& unusable,
                      const std::string& problem, const std::string& section,
                      const std::string& key, const std::string& consequence,
                      const std::string& fix);
    bool NotAnExecutable(const std::string& relativePath) const;
    // The launcher started as one of its own programs: a finding, and true.
    bool CheckStartsItself(const std::string& relativePath, const std::string& section,
                           const std::string& key);
    // An address where setup.exe takes a file: a finding, and true.
    bool CheckAddress(const std::string& value, const std::string& section, const std::string& key,
                      const std::string& what);
    // A file of the folder a vendor may have meant, or empty.
    std::string Similar(const std::string& relativePath, bool otherExtension) const;
    bool HasFileNamed(const std::string& name) const;

    const CheckedFolder& m_folder;
    FindingList& m_findings;
};

}  // namespace kestavo::vendortools
