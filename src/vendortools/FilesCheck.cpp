#include "vendortools/FilesCheck.h"

#include <algorithm>
#include <optional>

#include "actions/AdvancedActions.h"
#include "core/TagKeywords.h"
#include "prereq/LanguageSelection.h"
#include "vendortools/CheckText.h"
#include "vendortools/MediaFile.h"

namespace kestavo::vendortools {

namespace {

using checktext::Lower;
using checktext::Quote;

const char kActions[] = "ADVACTIONSKV";

bool IsFullPath(const std::string& path) {
    return path.size() >= 2 && (path[1] == ':' || path[0] == '\\');
}

// Folder macros, environment variables and comments have findings of their
// own.
bool HasNotation(const std::string& path) {
    return path.find('<') != std::string::npos || !checktext::EnvironmentVariableIn(path).empty() ||
           !checktext::BeforeComment(path).empty();
}

// An address the shell hands to its handler: "http://...", "mailto:...".
bool IsAddress(const std::string& path) {
    const std::string::size_type colon = path.find(':');
    return (colon != std::string::npos && colon >= 2) || Lower(path).compare(0, 4, "www.") == 0;
}

std::string Extension(const std::string& name) {
    const std::string::size_type dot = name.rfind('.');
    const std::string::size_type slash = name.find_last_of("\\/");
    return dot == std::string::npos || (slash != std::string::npos && dot < slash)
               ? ""
               : Lower(name.substr(dot));
}

// What the shell may find on the machine's search path by its name alone.
bool IsBareProgramName(const std::string& path) {
    const std::string extension = Extension(path);
    return path.find_first_of("\\/") == std::string::npos &&
           (extension.empty() || extension == ".exe" || extension == ".com" ||
            extension == ".bat" || extension == ".cmd");
}

std::string BaseName(const std::string& path) {
    const std::string::size_type slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Stem(const std::string& name) {
    return name.substr(0, name.size() - Extension(name).size());
}

}  // namespace

// A file named as a Windows program whose bytes are none: Windows refuses
// to start it ("not a valid Win32 application"). A file too large to keep
// is not judged, nor one smaller than any real program, a stand-in.
bool FilesCheck::NotAnExecutable(const std::string& relativePath) const {
    constexpr std::size_t kSmallestProgram = 512;
    const std::string resolved = m_folder.Resolved(relativePath);
    const std::optional<std::string> bytes = m_folder.Image().Bytes(resolved);
    return Extension(resolved) == ".exe" && bytes &&
           bytes->size() == *m_folder.Image().Size(resolved) && bytes->size() >= kSmallestProgram &&
           bytes->compare(0, 2, "MZ") != 0;
}

// setup.exe takes only a file's name where an address stands: it never
// opens the address.
bool FilesCheck::CheckAddress(const std::string& value, const std::string& section,
                              const std::string& key, const std::string& what) {
    if (!IsAddress(value) || IsFullPath(value)) {
        return false;
    }
    m_findings.Add(kinds::kAddressForFile, TagFile::kFileName, section, key,
                   Quote(value) + " is an address, but setup.exe takes " + what +
                       ": it never opens the address",
                   "ship the file in the setup folder, or open the address from a condition's "
                   "then-action \"Run Program\", which hands it to the shell");
    return true;
}

// setup.exe is the launcher's own name in its folder: a program of that
// name there starts the setup again, which starts it again, without end.
bool FilesCheck::CheckStartsItself(const std::string& relativePath, const std::string& section,
                                   const std::string& key) {
    if (Lower(m_folder.Resolved(relativePath)) != "setup.exe") {
        return false;
    }
    m_findings.Add(kinds::kStartsItself, TagFile::kFileName, section, key,
                   "setup.exe takes " + Quote(relativePath) +
                       " from the setup folder, where setup.exe is the launcher itself: the "
                       "setup starts itself again, and the new one does the same, without end",
                   "give the program another name, or start it from a folder of its own "
                   "(FILESUPPORT A, Run Program)");
    return true;
}

std::string FilesCheck::ProgramBeforeParameters(const std::string& path) {
    if (!path.empty() && path[0] == '"') {
        const std::string::size_type close = path.find('"', 1);
        const bool more = close != std::string::npos &&
                          path.find_first_not_of(' ', close + 1) != std::string::npos;
        return more ? path.substr(1, close - 1) : "";
    }
    const std::string lower = Lower(path);
    for (const char* extension : {".exe ", ".com ", ".bat ", ".cmd "}) {
        const std::string::size_type at = lower.find(extension);
        if (at != std::string::npos && lower.find_first_not_of(' ', at + 5) != std::string::npos) {
            return path.substr(0, at + 4);
        }
    }
    return "";
}

void FilesCheck::Run() {
    CheckTagFileNames();
    CheckPackage();
    if (!m_folder.Readable(TagFile::kFileName)) {
        return;
    }
    CheckSplashFiles();
    CheckBackgroundPicture();
    CheckBillboardPictures();
    CheckPrograms();
    CheckActionPrograms();
}

// Windows hides known extensions, so "kestavo.tag.txt" looks right in a
// window and is no tag file to setup.exe.
void FilesCheck::CheckTagFileNames() {
    for (const char* name : {TagFile::kFileName, TagFile::kDataFileName}) {
        if (m_folder.Image().Has(name)) {
            continue;
        }
        const bool tag = std::string(name) == TagFile::kFileName;
        const std::string found = Similar(name, tag);
        if (!found.empty()) {
            m_findings.AddAtLine(kinds::kTagFileMisnamed, found, 0, "", "",
                                 "setup.exe reads " + std::string(name) + ", never " + found +
                                     (tag ? ": it installs the package at once, with no dialog, "
                                            "splash, background or actions"
                                          : ": the install folder stays empty"),
                                 found.find('\\') == std::string::npos
                                     ? "rename it to " + std::string(name)
                                     : "move it into the setup folder itself");
        } else if (tag) {
            m_findings.AddAtLine(kinds::kNoTagFile, name, 0, "", "",
                                 "there is no kestavo.tag: setup.exe installs the package at "
                                 "once, with no dialog, splash, background or actions");
        }
    }
}

// A Windows Installer package is a compound file: msiexec.exe opens nothing
// else ("This installation package could not be opened"). A file smaller
// than a compound file's header is a stand-in, not judged.
void FilesCheck::CheckPackage() {
    static const std::string kCompoundFile("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    constexpr std::size_t kCompoundHeader = 512;
    const std::optional<std::string> package = m_folder.Image().Bytes("_data.msi");
    if (package && package->size() == *m_folder.Image().Size("_data.msi") &&
        package->size() >= kCompoundHeader &&
        package->compare(0, kCompoundFile.size(), kCompoundFile) != 0) {
        m_findings.AddAtLine(kinds::kNotAPackage, "_data.msi", 0, "", "",
                             "_data.msi is no Windows Installer package (it is not a compound "
                             "file): msiexec.exe cannot open it, and nothing is installed",
                             "put the Windows Installer package (.msi) there as _data.msi");
    } else if (!m_folder.Image().Has("_data.msi")) {
        m_findings.AddAtLine(kinds::kPackageMissing, "_data.msi", 0, "", "",
                             "the package is missing: msiexec.exe is handed a file that is not "
                             "there and nothing is installed",
                             "put the Windows Installer package in the setup folder as _data.msi");
    }
    for (const char* redistributable : {"InstMsiA.exe", "InstMsiW.exe"}) {
        if (NotAnExecutable(redistributable)) {
            m_findings.AddAtLine(kinds::kNotAProgram, redistributable, 0, "", "",
                                 std::string(redistributable) +
                                     " is no program: where the Windows Installer is older than "
                                     "version 2, the shell shows an error instead of running it, "
                                     "and the package then fails",
                                 "put the Windows Installer redistributable there");
        } else if (!m_folder.Image().Has(redistributable)) {
            m_findings.AddAtLine(kinds::kRedistributableMissing, redistributable, 0, "", "",
                                 std::string(redistributable) +
                                     " is not in the setup folder: needed only on machines "
                                     "whose Windows Installer is older than version 2, where "
                                     "the package then fails",
                                 "ship the Windows Installer redistributable to reach such "
                                 "machines");
        }
    }
}

// A silent setup starts no splash: its files are never opened.
void FilesCheck::CheckSplashFiles() {
    const std::string language = m_folder.Value("APPINFO", "LanguageM");
    const bool runsSwitcher =
        language == keywords::kAutoDetectLanguage || language == keywords::kAskUserForLanguage;
    const char* const* candidates = LanguageSelection::kSwitcherCandidates;
    const bool inLanguages = m_folder.Image().Has(candidates[0]);
    const char* switcher = inLanguages ? candidates[0] : candidates[1];
    if (runsSwitcher &&
        Require(switcher, kinds::kSwitcherMissing, "APPINFO", "LanguageM",
                "setup.exe runs no language switcher",
                "add switch.exe, or Languages\\switch.exe") &&
        NotAnExecutable(switcher)) {
        m_findings.Add(kinds::kNotAProgram, TagFile::kFileName, "APPINFO", "LanguageM",
                       std::string(switcher) +
                           " is no program: the shell shows an error instead of running the "
                           "language switcher",
                       "put the language switcher there");
    } else if (runsSwitcher && inLanguages && m_folder.Image().Has(candidates[1])) {
        m_findings.Add(kinds::kSwitcherNeverRun, TagFile::kFileName, "APPINFO", "LanguageM",
                       "switch.exe in the setup folder is never run: setup.exe looks for "
                       "Languages\\switch.exe first, and runs that one alone",
                       "keep one language switcher");
    }
    if (m_folder.Silent()) {
        return;
    }
    const std::string mode = m_folder.Value("SPLASH", "A0");
    if (mode == keywords::kSplashPicture) {
        RequirePicture("setup.bmp", kinds::kSplashMediaMissing, "SPLASH", "A0",
                       "setup.exe shows an empty splash", "add the splash picture as setup.bmp");
    } else if (mode == keywords::kSplashAnimation &&
               Require("kvavi.avi", kinds::kSplashMediaMissing, "SPLASH", "A0",
                       "setup.exe shows an empty splash", "add the animation as kvavi.avi")) {
        RequireMedia("kvavi.avi", kinds::kAnimationUnusable,
                     MediaFile::AnimationProblem(*m_folder.Image().Bytes("kvavi.avi"),
                                                 *m_folder.Image().Size("kvavi.avi")),
                     "SPLASH", "A0", "the splash shows an empty window",
                     "save the animation as a silent AVI clip, uncompressed or RLE8");
    }
    const std::string sound = m_folder.Value("SPLASH", "A2");
    if ((sound == keywords::kSoundOn || sound == keywords::kSoundOnLoop) &&
        Require("kvsound.wav", kinds::kSoundMissing, "SPLASH", "A2", "setup.exe plays no sound",
                "add the sound as kvsound.wav")) {
        RequireMedia("kvsound.wav", kinds::kSoundUnusable,
                     MediaFile::SoundProblem(*m_folder.Image().Bytes("kvsound.wav"),
                                             *m_folder.Image().Size("kvsound.wav")),
                     "SPLASH", "A2", "setup.exe plays no sound", "save the sound as a WAVE file");
    }
}

void FilesCheck::CheckBackgroundPicture() {
    const std::string picture = m_folder.Value("BACKGROUND", "5");
    if (m_folder.Silent() ||
        m_folder.Tag().ReadInt("BACKGROUND", "0", TagFile::kValueCapacity) != 1 ||
        picture.empty()) {
        return;
    }
    if (CheckAddress(picture, "BACKGROUND", "5", "only its file name, from the setup folder")) {
        return;
    }
    RequirePicture(m_folder.FileName(picture), kinds::kBackgroundPictureMissing, "BACKGROUND", "5",
                   "the background shows no picture (it is taken from the setup folder by its "
                   "name alone)",
                   "put the picture in the setup folder");
}

// Only the billboards written: one counted by TOTAL and not written has a
// finding of its own, on TOTAL.
void FilesCheck::CheckBillboardPictures() {
    for (const int i : m_folder.Records("BILLBOARDSKV", 'B', 'B')) {
        const std::string key = TagFile::ListKey('B', i);
        const std::string picture = m_folder.Value("BILLBOARDSKV", key);
        if (!picture.empty() && !CheckAddress(picture, "BILLBOARDSKV", key,
                                              "only its file name, from the images folder")) {
            RequirePicture("images\\" + m_folder.FileName(picture), kinds::kBillboardPictureMissing,
                           "BILLBOARDSKV", key,
                           "billboard " + std::to_string(i) +
                               " keeps the picture before it (pictures are taken from the "
                               "images folder by their names alone)",
                           "put the picture in the images folder");
        }
    }
}

// A relative program path is taken from the setup folder; a full one, or
// one leading out of the folder, names files no check here can see. Windows starts
// it with an empty command line. A path that fills its buffer is never
// started, which the values' check says.
void FilesCheck::CheckPrograms() {
    for (const int i : m_folder.Records("FILESUPPORT", 'A', 'B')) {
        const std::string key = TagFile::ListKey('A', i);
        const std::string program = m_folder.Value("FILESUPPORT", key);
        const std::string point = m_folder.Field("FILESUPPORT", 'B', i);
        if (point != keywords::kBeforeInstallation && point != keywords::kAfterInstallation) {
            continue;
        }
        const std::string alone = ProgramBeforeParameters(program);
        if (TagFile::FillsBuffer(program, TagFile::kListCapacity)) {
            continue;
        }
        if (program.empty()) {
            m_findings.Add(kinds::kNoProgram, TagFile::kFileName, "FILESUPPORT",
                           TagFile::ListKey('B', i),
                           "record " + std::to_string(i) +
                               " has a point but no program: setup.exe starts nothing",
                           "write " + key + "=the program's path");
        } else if (HasNotation(program) || IsFullPath(program) || m_folder.LeadsOut(program) ||
                   CheckStartsItself(program, "FILESUPPORT", key) ||
                   CheckAddress(program, "FILESUPPORT", key, "it for a file's path")) {
            continue;
        } else if (!alone.empty()) {
            m_findings.Add(kinds::kParametersInProgramPath, TagFile::kFileName, "FILESUPPORT", key,
                           "setup.exe takes the whole of " + Quote(program) +
                               " for the program's name and finds no such file: these programs "
                               "are started with an empty command line",
                           "write " + key + "=" + alone +
                               " alone; to pass parameters, run it from an advanced action "
                               "\"Run 3rd party software and wait\" with them in H");
        } else if (Require(program, kinds::kProgramMissing, "FILESUPPORT", key,
                           "setup.exe passes over this program", "add the program") &&
                   (!m_folder.Image().IsProgram(m_folder.Resolved(program)) ||
                    NotAnExecutable(program))) {
            m_findings.Add(kinds::kNotAProgram, TagFile::kFileName, "FILESUPPORT", key,
                           program +
                               " is no program (.exe, .com, .bat, or an executable's header): "
                               "Windows does not start it, and setup.exe passes over it",
                           "run it from a program or a batch file");
        }
    }
}

void FilesCheck::CheckActionPrograms() {
    for (const int i : m_folder.Records(kActions, 'A', 'H')) {
        const std::string type = m_folder.Field(kActions, 'B', i);
        if (type == keywords::kRunThirdParty || type == keywords::kRunThirdPartyAndWait) {
            CheckThirdParty(i, type);
        } else if (std::find(std::begin(keywords::kConditionTypes),
                             std::end(keywords::kConditionTypes),
                             type) != std::end(keywords::kConditionTypes) &&
                   m_folder.Field(kActions, 'D', i) == keywords::kRunProgram) {
            CheckRunProgram(i);
        } else if (type == keywords::kRunTormivex && HasFileNamed("tormivex.exe")) {
            m_findings.Add(kinds::kTormivexInSetupFolder, TagFile::kFileName, kActions,
                           TagFile::ListKey('B', i),
                           "setup.exe starts tormivex.exe from the temporary folder, never the "
                           "one in the setup folder, and nothing of the setup puts it there",
                           "run it with a \"Run 3rd party software\" record instead");
        }
    }
}

// The program is always taken from the setup folder, by its name alone.
void FilesCheck::CheckThirdParty(int record, const std::string& type) {
    const std::string key = TagFile::ListKey('G', record);
    const std::string argument = m_folder.Value(kActions, key);
    const std::string name = m_folder.FileName(argument);
    const std::string alone = ProgramBeforeParameters(name);
    if (argument.empty() || HasNotation(argument) ||
        CheckAddress(argument, kActions, key, "only its file name, from the setup folder")) {
        return;
    }
    if (CheckStartsItself(name, kActions, key)) {
        return;
    }
    if (name.empty()) {
        m_findings.Add(kinds::kNoProgram, TagFile::kFileName, kActions, key,
                       Quote(argument) + " names a folder and no file: setup.exe " +
                           (type == keywords::kRunThirdParty
                                ? "hands the setup folder itself to the shell, which opens it in "
                                  "a window"
                                : "starts nothing"),
                       "write " + key + "=the program's file name");
    } else if (!alone.empty()) {
        m_findings.Add(
            kinds::kParametersInProgramPath, TagFile::kFileName, kActions, key,
            "setup.exe takes " + Quote(name) +
                " for the program's file name and finds no such file: the "
                "parameters belong in H" +
                std::to_string(record),
            "write " + key + "=" + alone + " and the parameters in H" + std::to_string(record));
    } else if (Require(name, kinds::kActionProgramMissing, kActions, key,
                       "the record starts nothing (the program is always taken from the setup "
                       "folder, by its name alone)",
                       "add the program to the setup folder")) {
        CheckThirdPartyFile(key, name, type);
    }
}

// A batch file cmd.exe cannot be handed safely, or a file that is no
// program for the record that waits for it.
void FilesCheck::CheckThirdPartyFile(const std::string& key, const std::string& name,
                                     const std::string& type) {
    if (type == keywords::kRunThirdParty && IsBatchFile(name) && !IsSafeBatchPath(name)) {
        m_findings.Add(kinds::kBatchFileNeverRun, TagFile::kFileName, kActions, key,
                       "setup.exe never hands cmd.exe a batch file whose name holds \"%\" or a "
                       "quote, which cmd.exe would read as a variable or the end of the path: " +
                           name + " is never run",
                       "rename the batch file without \"%\"");
    } else if (type == keywords::kRunThirdPartyAndWait &&
               (!m_folder.Image().IsProgram(m_folder.Resolved(name)) || NotAnExecutable(name))) {
        m_findings.Add(kinds::kNotAProgram, TagFile::kFileName, kActions, key,
                       name +
                           " is no program (.exe, .com, .bat, or an executable's header): "
                           "Windows does not start it, and the record waits for nothing",
                       "use \"Run 3rd party software\", which opens any file with its program");
    }
}

// "Run Program" hands the text to the shell as it is written: a relative
// path is taken from the setup folder, the current folder.
void FilesCheck::CheckRunProgram(int record) {
    const std::string key = TagFile::ListKey('G', record);
    const std::string target = m_folder.Value(kActions, key);
    if (target.empty() || HasNotation(target) || IsAddress(target) || IsFullPath(target) ||
        m_folder.LeadsOut(target)) {
        return;
    }
    const std::string alone = ProgramBeforeParameters(target);
    if (CheckStartsItself(target, kActions, key)) {
        return;
    }
    if (!alone.empty()) {
        m_findings.Add(kinds::kParametersInProgramPath, TagFile::kFileName, kActions, key,
                       "\"Run Program\" hands the whole of " + Quote(target) +
                           " to the shell as one file name, which names no file: it passes no "
                           "parameters",
                       "write " + key + "=" + alone +
                           " alone, or run it with parameters from a \"Run 3rd party software\" "
                           "record");
    } else if (!IsBareProgramName(target)) {
        Require(target, kinds::kRunProgramTargetMissing, kActions, key,
                "the shell finds nothing to open (a relative path is taken from the setup "
                "folder)",
                "add it to the setup folder, or write its full path");
    }
}

bool FilesCheck::HasFileNamed(const std::string& name) const {
    const std::vector<std::string> files = m_folder.Image().Files();
    return std::any_of(files.begin(), files.end(),
                       [&](const std::string& file) { return Lower(BaseName(file)) == name; });
}

bool FilesCheck::Require(const std::string& relativePath, const FindingKind& missing,
                         const std::string& section, const std::string& key,
                         const std::string& message, const std::string& fix) {
    if (BaseName(relativePath).empty()) {
        m_findings.Add(missing, TagFile::kFileName, section, key,
                       "the value names a folder and no file: " + message, fix);
        return false;
    }
    if (m_folder.InSetupFolder(relativePath)) {
        return true;
    }
    const std::string similar = Similar(relativePath, true);
    m_findings.Add(missing, TagFile::kFileName, section, key,
                   relativePath + " is not in the setup folder" +
                       (similar.empty() ? "" : " (" + similar + " is)") + ": " + message,
                   fix);
    return false;
}

void FilesCheck::RequirePicture(const std::string& relativePath, const FindingKind& missing,
                                const std::string& section, const std::string& key,
                                const std::string& consequence, const std::string& fix) {
    if (Require(relativePath, missing, section, key, consequence, fix)) {
        RequireMedia(
            relativePath, kinds::kPictureUnusable,
            MediaFile::PictureProblem(*m_folder.Image().Bytes(m_folder.Resolved(relativePath)),
                                      *m_folder.Image().Size(m_folder.Resolved(relativePath))),
            section, key, consequence, "save it as a BMP, GIF or JPEG picture of at most 64 MiB");
    }
}

void FilesCheck::RequireMedia(const std::string& relativePath, const FindingKind& unusable,
                              const std::string& problem, const std::string& section,
                              const std::string& key, const std::string& consequence,
                              const std::string& fix) {
    if (!problem.empty()) {
        m_findings.Add(unusable, TagFile::kFileName, section, key,
                       relativePath + " cannot be used: " + problem + "; " + consequence, fix);
    }
}

// The name in another folder, with another extension (only for programs
// and pictures, whose other forms a vendor may have meant), or with one
// extension more, which Windows hides.
std::string FilesCheck::Similar(const std::string& relativePath, bool otherExtension) const {
    const std::string wanted = Lower(BaseName(relativePath));
    const std::string wantedFolder =
        Lower(relativePath).substr(0, relativePath.size() - wanted.size());
    for (const std::string& file : m_folder.Image().Files()) {
        const std::string name = Lower(BaseName(file));
        const std::string folder = Lower(file).substr(0, file.size() - name.size());
        const bool moved = name == wanted && folder != wantedFolder;
        const bool retyped = otherExtension && name != wanted && folder == wantedFolder &&
                             Stem(name) == Stem(wanted);
        const bool doubled =
            folder == wantedFolder && name.compare(0, wanted.size() + 1, wanted + ".") == 0;
        if (moved || retyped || doubled) {
            return file;
        }
    }
    return "";
}

}  // namespace kestavo::vendortools
