#include "data/GameFolder.h"

#include "data/CodePage.h"
#include "platform/IniFile.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sys/stat.h>

namespace {

constexpr std::string_view ImageExtensions[] = {"bmp", "png", "xyz"};
constexpr std::string_view MusicExtensions[] = {"mid", "wav"};
constexpr std::string_view SoundExtensions[] = {"wav"};
constexpr std::string_view MovieExtensions[] = {"avi", "mpg"};

std::string Folded(std::string_view Name) {
  std::string S(Name);
  for (char& C : S)
    if (C >= 'A' && C <= 'Z') C = char(C - 'A' + 'a');
  return S;
}

bool IsCp932LeadByte(uint8_t B) { return (B >= 0x81 && B <= 0x9F) || (B >= 0xE0 && B <= 0xFC); }

// Splits on "\" and "/"; with DoubleByte, the trail byte of a CP932 character (which may be
// 0x5C) is never taken for a separator. Nothing when a part is ".." or the name is absolute.
std::optional<std::vector<std::string>> SplitName(std::string_view Name, bool DoubleByte) {
  if (Name.empty() || Name.front() == '\\' || Name.front() == '/') return std::nullopt;
  if (Name.size() >= 2 && Name[1] == ':') return std::nullopt;  // a drive letter
  std::vector<std::string> Parts;
  std::string Part;
  auto Flush = [&]() -> bool {
    if (Part == "..") return false;
    if (!Part.empty() && Part != ".") Parts.push_back(Part);
    Part.clear();
    return true;
  };
  for (size_t I = 0; I < Name.size(); ++I) {
    const uint8_t B = uint8_t(Name[I]);
    if (B == 0) return std::nullopt;
    if (DoubleByte && IsCp932LeadByte(B) && I + 1 < Name.size()) {
      Part += Name[I];
      Part += Name[++I];
      continue;
    }
    if (B == '\\' || B == '/') {
      if (!Flush()) return std::nullopt;
      continue;
    }
    Part += char(B);
  }
  if (!Flush() || Parts.empty()) return std::nullopt;
  return Parts;
}

int64_t ModifiedNs(const std::string& Folder) {
  struct stat St {};
  if (stat(Folder.c_str(), &St) != 0 || !S_ISDIR(St.st_mode)) return -1;
  return int64_t(St.st_mtim.tv_sec) * 1000000000 + St.st_mtim.tv_nsec;
}

std::optional<std::string> RealPath(const std::string& Path) {
  char* Resolved = realpath(Path.c_str(), nullptr);
  if (!Resolved) return std::nullopt;
  std::string S(Resolved);
  std::free(Resolved);
  return S;
}

bool IsInside(const std::string& Path, const std::string& Root) {
  if (Root == "/") return true;
  return Path.size() > Root.size() && Path.compare(0, Root.size(), Root) == 0 && Path[Root.size()] == '/';
}

bool IsRegularFile(const std::string& Path) {
  struct stat St {};
  return stat(Path.c_str(), &St) == 0 && S_ISREG(St.st_mode);
}

}  // namespace

std::span<const std::string_view> AssetExtensions(EAssetList List) {
  switch (List) {
    case EAssetList::Image: return ImageExtensions;
    case EAssetList::Music: return MusicExtensions;
    case EAssetList::Sound: return SoundExtensions;
    case EAssetList::Movie: return MovieExtensions;
  }
  return {};
}

TGameFolder::TGameFolder(std::string GameFolder, std::string PackageFolder, std::string CodePage)
    : GameRoot(std::move(GameFolder)), PackageRoot(std::move(PackageFolder)), CodePage(std::move(CodePage)) {}

std::optional<std::string> TGameFolder::FindAsset(std::string_view Name, std::string_view Folder, EAssetList List) const {
  if (Name.empty()) return std::nullopt;
  const std::string Base = std::string(Folder) + "\\" + std::string(Name) + ".";
  for (const std::string& Root : {GameRoot, PackageRoot}) {
    if (Root.empty()) continue;
    for (std::string_view Extension : AssetExtensions(List))
      if (auto Found = Resolve(Root, Base + std::string(Extension))) return Found;
  }
  return std::nullopt;
}

std::optional<std::string> TGameFolder::FindGameFile(std::string_view RelativeName) const {
  return Resolve(GameRoot, RelativeName);
}

bool TGameFolder::IsFullPackage() const {
  const auto Ini = FindGameFile("data\\$$$.i");
  if (!Ini) return false;
  const auto Value = ReadIniValue(*Ini, "TOVRAX", "FullPackageFlag");
  if (!Value) return false;
  const auto Number = ParseIniInteger(*Value);
  return Number && *Number != 0;
}

// The name as stored (code-page bytes) is tried first, then its UTF-8 spelling, which is how
// the files of a game unpacked on Linux are usually named.
std::optional<std::string> TGameFolder::Resolve(const std::string& Base, std::string_view Relative) const {
  const auto RootReal = RealPath(Base);
  if (!RootReal) return std::nullopt;
  const bool DoubleByte = CodePage == "CP932";
  std::vector<std::vector<std::string>> Spellings;
  const auto Raw = SplitName(Relative, DoubleByte);
  if (!Raw) return std::nullopt;
  Spellings.push_back(*Raw);
  if (const auto Utf8 = CodePageToUtf8(Relative, CodePage); Utf8 && *Utf8 != Relative) {
    const auto Parts = SplitName(*Utf8, false);
    if (!Parts) return std::nullopt;
    Spellings.push_back(*Parts);
  }
  for (const auto& Parts : Spellings) {
    const auto Path = ResolveComponents(*RootReal, Parts);
    if (!Path || !IsRegularFile(*Path)) continue;
    // A symlink anywhere on the way may lead out of the folder: judge the real target.
    const auto Real = RealPath(*Path);
    if (Real && IsInside(*Real, *RootReal)) return Path;
  }
  return std::nullopt;
}

std::optional<std::string> TGameFolder::ResolveComponents(const std::string& Base, const std::vector<std::string>& Parts) const {
  std::string Path = Base;
  for (const std::string& Part : Parts) {
    const auto Entry = MatchEntry(Path, Part);
    if (!Entry) return std::nullopt;
    Path += "/" + *Entry;
  }
  return Path;
}

// The entry of Folder named Name without regard to case, the exact spelling preferred. The
// folder's index is built once and rebuilt on a miss when the folder has changed since.
std::optional<std::string> TGameFolder::MatchEntry(const std::string& Folder, const std::string& Name) const {
  TFolderIndex& Index = Indexes[Folder];
  for (int Attempt = 0; Attempt < 2; ++Attempt) {
    if (Attempt == 0 && Index.ModifiedNs < 0 && !Reindex(Folder, Index)) return std::nullopt;
    if (Attempt == 1 && (ModifiedNs(Folder) == Index.ModifiedNs || !Reindex(Folder, Index))) return std::nullopt;
    const auto It = Index.ByFoldedName.find(Folded(Name));
    if (It == Index.ByFoldedName.end()) continue;
    for (const std::string& Candidate : It->second)
      if (Candidate == Name) return Candidate;
    return It->second.front();
  }
  return std::nullopt;
}

bool TGameFolder::Reindex(const std::string& Folder, TFolderIndex& Index) const {
  Index.ByFoldedName.clear();
  Index.ModifiedNs = ModifiedNs(Folder);
  DIR* Dir = opendir(Folder.c_str());
  if (!Dir) return false;
  while (const dirent* E = readdir(Dir)) {
    const std::string Entry = E->d_name;
    if (Entry == "." || Entry == "..") continue;
    Index.ByFoldedName[Folded(Entry)].push_back(Entry);
  }
  closedir(Dir);
  for (auto& [Key, Names] : Index.ByFoldedName) std::sort(Names.begin(), Names.end());
  return true;
}

bool IsRiffFile(const std::string& FileName) {
  std::ifstream In(FileName, std::ios::binary);
  char Head[4] = {};
  return In.read(Head, 4) && std::string_view(Head, 4) == "RIFF";
}

std::string IncludeTrailingDelimiter(std::string Path) {
  if (!Path.empty() && Path.back() != '/' && Path.back() != '\\') Path += '/';
  return Path;
}

std::optional<int64_t> ParseIniInteger(std::string_view Text) {
  while (!Text.empty() && (Text.front() == ' ' || Text.front() == '\t')) Text.remove_prefix(1);
  while (!Text.empty() && (Text.back() == ' ' || Text.back() == '\t' || Text.back() == '\r')) Text.remove_suffix(1);
  bool Negative = false;
  if (!Text.empty() && (Text.front() == '-' || Text.front() == '+')) {
    Negative = Text.front() == '-';
    Text.remove_prefix(1);
  }
  int Base = 10;
  if (Text.starts_with("0x") || Text.starts_with("0X")) {
    Base = 16;
    Text.remove_prefix(2);
  } else if (Text.starts_with("$")) {
    Base = 16;
    Text.remove_prefix(1);
  }
  if (Text.empty() || Text.size() > 18) return std::nullopt;
  int64_t Value = 0;
  for (char C : Text) {
    int Digit;
    if (C >= '0' && C <= '9') Digit = C - '0';
    else if (Base == 16 && C >= 'a' && C <= 'f') Digit = C - 'a' + 10;
    else if (Base == 16 && C >= 'A' && C <= 'F') Digit = C - 'A' + 10;
    else return std::nullopt;
    Value = Value * Base + Digit;
  }
  return Negative ? -Value : Value;
}
