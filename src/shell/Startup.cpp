#include "shell/Startup.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "data/GameFolder.h"
#include "devices/CadenzaBridge.h"
#include "devices/InputScript.h"
#include "graphics/PrismBoard.h"
#include "graphics/PrismPng.h"
#include "platform/IniFile.h"
#include "platform/UserFolders.h"
#include "shell/GameMain.h"

namespace fs = std::filesystem;

const char* const StartupCaption = "Kelmora Studio";
const char* const PackageNotFoundMessage = "RunTime Package not found. Install VSKe.exe";
const char* const AudioLibraryNotFoundMessage = "Cadenza.dll not found";

namespace {

std::string WithTrailingSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

std::string LowerAscii(std::string text) {
  for (char& c : text) c = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
  return text;
}

std::optional<fs::path> FindExecutable(const fs::path& folder) {
  std::error_code error;
  std::vector<fs::path> executables;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (entry.is_regular_file(error) && LowerAscii(entry.path().extension().string()) == ".exe") {
      executables.push_back(entry.path());
    }
  }
  if (executables.empty()) return std::nullopt;
  return *std::min_element(executables.begin(), executables.end());
}

void ShowStartupMessage(bool headless, const char* text) {
  ShowMessageWithoutWindow(StartupCaption, text, headless);
}

// Writes the screen board as a PNG; a failure is reported and the game goes on.
void WriteScreenshot(TPrismBoard& board, const std::string& file) {
  const std::vector<uint8_t> png = EncodeBoardPng(board);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
  if (!out) std::cerr << "tessera: the screenshot " << file << " could not be written" << std::endl;
}

std::string TimestampedScreenshotName() {
  const std::time_t now = std::time(nullptr);
  char stamp[64];
  std::strftime(stamp, sizeof stamp, "tessera-%Y%m%d-%H%M%S.png", std::localtime(&now));
  return stamp;
}

// Frame-driven extras of a scripted run: replayed input, screenshots, the frame limit, and the
// Print Screen key.
void InstallRunHooks(TGame& game, const TStartOptions& options,
                     std::shared_ptr<TInputScript> script) {
  TPrismDraw& draw = *game.Draw;
  Platform& device = game.Device;
  draw.OnFrameBegin = [script, &device](uint64_t frame) {
    if (script) script->Apply(frame, device);
  };
  draw.OnFrameEnd = [&draw, shots = options.Screenshots, limit = options.Frames](uint64_t frame) {
    for (const auto& shot : shots) {
      if (shot.Frame == frame) WriteScreenshot(draw.Board(), shot.File);
    }
    if (limit && frame >= *limit) draw.RequestClose();
  };
  draw.OnScreenshotKey = [&draw] {
    std::error_code error;
    const fs::path folder = ScreenshotFolder();
    fs::create_directories(folder, error);
    WriteScreenshot(draw.Board(), (folder / TimestampedScreenshotName()).string());
  };
}

}  // namespace

std::string FindGameFolder(const std::string& option, const std::string& programFolder,
                           const std::string& currentFolder) {
  std::error_code error;
  fs::path folder;
  if (!option.empty()) {
    folder = fs::absolute(option, error);
  } else if (!programFolder.empty() && fs::is_regular_file(fs::path(programFolder) / "data" / "$$$.B", error)) {
    folder = programFolder;
  } else {
    folder = currentFolder;
  }
  fs::path normal = fs::weakly_canonical(folder, error);
  if (error) normal = folder.lexically_normal();
  return WithTrailingSlash(normal.string());
}

std::string ReadGameTitle(const std::string& gameFolder) {
  // A game made for this player has no Windows executable; it names its ini "tessera.ini".
  // The ini is looked up like every game file, so a link cannot lead the read outside.
  const auto executable = FindExecutable(gameFolder);
  const std::string iniName = executable ? executable->stem().string() + ".ini" : "tessera.ini";
  const auto ini = TGameFolder(gameFolder).FindGameFile(iniName);
  if (!ini) return "Untitled";
  return ReadIniValue(*ini, "TOVRAX", "GameTitle").value_or("Untitled");
}

TProgramValues MakeProgramValues(const TStartOptions& options, const std::string& gameFolder) {
  TProgramValues values;
  values.GameFolder = gameFolder;
  values.GameFolderName = fs::path(gameFolder).parent_path().filename().string();
  values.Words = options.Words;
  values.BattleTestMode = options.BattleTestMode();
  values.TestPlayMode = options.TestPlayMode();
  values.ShowLogos = !values.TestPlayMode;
  values.ShowTitle = options.ShowTitle();
  values.ExeReadOnly = !IsFolderWritable(gameFolder);
  values.Title = ReadGameTitle(gameFolder);
  return values;
}

int RunTessera(const std::vector<std::string>& arguments, const std::string& programPath) {
  TStartOptions options;
  try {
    options = ParseStartOptions(arguments);
  } catch (const EStartOptions& error) {
    std::cerr << "tessera: " << error.what() << "\n\n" << StartOptionsUsage;
    return 2;
  }
  if (options.Help) {
    std::cout << StartOptionsUsage;
    return 0;
  }
  if (!options.SaveStateFile.empty()) {
    std::cerr << "tessera: --save-state is not available in this version of tessera\n";
    return 2;
  }

  std::shared_ptr<TInputScript> script;
  if (!options.InputFile.empty()) {
    try {
      script = std::make_shared<TInputScript>(TInputScript::Load(options.InputFile));
    } catch (const EInputScript& error) {
      std::cerr << "tessera: " << error.what() << std::endl;
      return 2;
    }
  }

  std::error_code error;
  const std::string programFolder = fs::path(programPath).parent_path().string();
  const std::string gameFolder =
      FindGameFolder(options.GameFolder, programFolder, fs::current_path(error).string());
  if (!fs::is_directory(gameFolder, error)) {
    std::cerr << "tessera: the game folder " << gameFolder << " does not exist\n";
    return 2;
  }

  // A game that does not carry all its assets needs the shared package.
  if (!TGameFolder(gameFolder).IsFullPackage() && PackageFolderSetting().empty()) {
    ShowStartupMessage(options.Headless, PackageNotFoundMessage);
    return 1;
  }
  if (options.Headless) setenv("TESSERA_HEADLESS", "1", 1);
  TCadenzaBridge audio;
  audio.Load("");
  // The setting is read again whatever the flag said: a full-package game may still use it.
  const std::string packageFolder = PackageFolderSetting();
  audio.Load(packageFolder);
  if (!audio.Loaded()) {
    std::cerr << "tessera: " << audio.LastError() << std::endl;
    ShowStartupMessage(options.Headless, AudioLibraryNotFoundMessage);
    return 1;
  }

  TProgramValues values = MakeProgramValues(options, gameFolder);
  values.PackageFolder = packageFolder;
  PlatformOptions platformOptions;
  platformOptions.Headless = options.Headless;
  platformOptions.FastClock = options.Fast;
  platformOptions.Caption = values.Title;
  platformOptions.InitialPresentation = {
      options.WindowMode() ? TScreenMode::smWindow : TScreenMode::smFullScreen, true};
  std::unique_ptr<Platform> device = MakePlatform(platformOptions);

  TFormLcfGameMain form(*device, audio, std::move(values));
  if (options.Seed) form.Game().Random.Seed(*options.Seed);
  InstallRunHooks(form.Game(), options, script);
  return form.Run();
}
