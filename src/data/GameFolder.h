// The game folder and the shared resource package, and the one lookup that turns an asset name
// from the game's data into a file path. Names from Windows-made games match files without
// regard to letter case, take "\" as a separator, and may be stored in the game's code page
// while the files on disk carry UTF-8 names. Nothing resolves outside the game folder or the
// package folder: "..", absolute names and symlinks that lead out are "not found".
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

enum class EAssetList { Image, Music, Sound, Movie };

// The extensions of a list, in the order they are tried.
std::span<const std::string_view> AssetExtensions(EAssetList List);

class TGameFolder {
 public:
  // PackageFolder may be empty: then there is no package and nothing else is searched.
  explicit TGameFolder(std::string GameFolder, std::string PackageFolder = {}, std::string CodePage = "CP932");

  const std::string& Root() const { return GameRoot; }
  const std::string& PackageFolder() const { return PackageRoot; }
  void SetPackageFolder(std::string Folder) { PackageRoot = std::move(Folder); }

  // The asset Name (no extension) in Folder ("data", "Battle", ...): the game folder with
  // every extension of List first, then the package. Nothing for an empty or unsafe name or
  // when no file exists.
  std::optional<std::string> FindAsset(std::string_view Name, std::string_view Folder, EAssetList List) const;
  // A file of the game itself, such as "data\$$$.B"; only the game folder is searched.
  std::optional<std::string> FindGameFile(std::string_view RelativeName) const;
  // "FullPackageFlag" of section "TOVRAX" in "data\$$$.i": the game needs no package.
  bool IsFullPackage() const;

 private:
  struct TFolderIndex {
    int64_t ModifiedNs = -1;
    std::unordered_map<std::string, std::vector<std::string>> ByFoldedName;
  };
  std::optional<std::string> Resolve(const std::string& Base, std::string_view Relative) const;
  std::optional<std::string> ResolveComponents(const std::string& Base, const std::vector<std::string>& Parts) const;
  std::optional<std::string> MatchEntry(const std::string& Folder, const std::string& Name) const;
  bool Reindex(const std::string& Folder, TFolderIndex& Index) const;

  std::string GameRoot, PackageRoot, CodePage;
  mutable std::unordered_map<std::string, TFolderIndex> Indexes;
};

// True when the file starts with "RIFF" (a wave file); false on any error.
bool IsRiffFile(const std::string& FileName);
// The path with a "/" appended unless it already ends in a delimiter; empty stays empty.
std::string IncludeTrailingDelimiter(std::string Path);
// An ini integer as the game's ini files hold them: decimal or "0x"/"$" hexadecimal.
std::optional<int64_t> ParseIniInteger(std::string_view Text);
