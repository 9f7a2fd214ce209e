#include "engine/system_variables.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "engine/piru_base.h"
#include "engine/sjis.h"
#include "platform/platform.h"

namespace pirune {
namespace {

enum Computed {
  NONE, SYSTEM_COLOUR_0, SYSTEM_COLOUR_1, SYSTEM_COLOUR_2, SYSTEM_COLOUR_3, SYSTEM_COLOUR_4,
  SYSTEM_COLOUR_5, SYSTEM_COLOUR_13, DESKTOP_WIDTH, DESKTOP_HEIGHT, COMMAND_LINE_ARGUMENTS, OS_NAME,
  SCRIPT_FOLDER, RUNTIME_FOLDER, DESKTOP_FOLDER, DOCUMENTS_FOLDER, START_MENU_FOLDER, STARTUP_FOLDER,
  SENDTO_FOLDER, WINDOWS_FOLDER, SYSTEM_FOLDER, TEMP_FOLDER, FAVOURITES_FOLDER, RECENT_FOLDER,
  FONTS_FOLDER, MUSIC_FOLDER, PICTURES_FOLDER,
};

constexpr bool READ_ONLY = true;
constexpr bool WRITABLE = false;

struct VariableEntry {
  const char* name;
  const char* value;
  const char* mark;
  bool read_only;
  Computed computed;
};

const VariableEntry kVariables[] = {
#define SYSTEM_VARIABLE(name, value, mark, read_only, computed) {name, value, mark, read_only, computed},
#include "engine/system_variable_table.inc"
#undef SYSTEM_VARIABLE
};

// The folder part of a path, with its separator; empty when it has none.
std::string FolderPart(const std::string& path) {
  std::size_t end = 0;
  for (std::size_t i = 0; i < path.size(); i += CharLength(path, i))
    if (path[i] == '\\' || path[i] == '/' || path[i] == ':') end = i + 1;
  return path.substr(0, end);
}

std::string ColourText(int index) { return std::to_string(platform::SystemColour(index)); }

std::string OsName() {
  unsigned v = platform::WindowsVersion();
  unsigned major = v & 0xFF, minor = (v >> 8) & 0xFF;
  if (major == 3) return "Windows NT 3.51";
  if (major == 4) {
    if (!platform::IsWindows9x()) return "Windows NT 4.0";
    if (minor == 0) return "Windows 95";
    if (minor == 10) return "Windows 98";
    if (minor == 90) return "Windows Me";
    return {};
  }
  if (major == 5) {
    if (minor == 0) return "Windows 2000";
    if (minor == 1) return "Windows XP";
    return {};
  }
  return "不明 Version = " + std::to_string(v);
}

// How the script sees its command line: argument 0 is the runtime itself.
struct ScriptView {
  std::string arguments;
  std::string main_path;
  std::string program_path;
};

ScriptView ComputeScriptView(const TPiruBase& state) {
  std::vector<std::string> args{platform::RuntimePath()};
  for (const auto& a : platform::CommandLineArguments()) args.push_back(a);
  std::size_t k = 0;
  if (state.RuntimeMode) k += 2;
  if (!state.EmbeddedMode) k += 1;
  if (state.DefaultFileMode) k = 0;
  ScriptView view;
  for (std::size_t i = k; i < args.size(); ++i) {
    if (i > k) view.arguments += "\r\n";
    view.arguments += args[i];
  }
  if (k < args.size()) {
    view.program_path = args[k];
    view.main_path = FolderPart(args[k]);
  }
  return view;
}

std::string WithSeparator(std::string folder) {
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += platform::PathSeparator();
  return folder;
}

std::string ComputedValue(Computed c, const ScriptView& view) {
  using platform::Folder;
  switch (c) {
    case SYSTEM_COLOUR_0: return ColourText(0);
    case SYSTEM_COLOUR_1: return ColourText(1);
    case SYSTEM_COLOUR_2: return ColourText(2);
    case SYSTEM_COLOUR_3: return ColourText(3);
    case SYSTEM_COLOUR_4: return ColourText(4);
    case SYSTEM_COLOUR_5: return ColourText(5);
    case SYSTEM_COLOUR_13: return ColourText(13);
    case DESKTOP_WIDTH: return std::to_string(platform::ScreenWidth());
    case DESKTOP_HEIGHT: return std::to_string(platform::ScreenHeight());
    case COMMAND_LINE_ARGUMENTS: return view.arguments;
    case OS_NAME: return OsName();
    case SCRIPT_FOLDER: return view.main_path;
    case RUNTIME_FOLDER: return FolderPart(platform::RuntimePath());
    case DESKTOP_FOLDER: return platform::KnownFolder(Folder::Desktop);
    case DOCUMENTS_FOLDER: return platform::KnownFolder(Folder::Documents);
    case START_MENU_FOLDER: return platform::KnownFolder(Folder::StartMenu);
    case STARTUP_FOLDER: return platform::KnownFolder(Folder::Startup);
    case SENDTO_FOLDER: return platform::KnownFolder(Folder::SendTo);
    case WINDOWS_FOLDER: return platform::KnownFolder(Folder::Windows);
    case SYSTEM_FOLDER: return platform::KnownFolder(Folder::System);
    case TEMP_FOLDER: return WithSeparator(platform::TempFolder());
    case FAVOURITES_FOLDER: return platform::KnownFolder(Folder::Favourites);
    case RECENT_FOLDER: return platform::KnownFolder(Folder::Recent);
    case FONTS_FOLDER: return platform::KnownFolder(Folder::Fonts);
    case MUSIC_FOLDER: return platform::KnownFolder(Folder::Music);
    case PICTURES_FOLDER: return platform::KnownFolder(Folder::Pictures);
    case NONE: break;
  }
  return {};
}

}  // namespace

void RegisterSystemVariables(TPiruBase& state) {
  ScriptView view = ComputeScriptView(state);
  state.MainPath = view.main_path;
  state.ProgramPath = view.program_path;
  auto keep = [&](const std::string& name) -> THashNode* { return state.Words.Find(name, false); };
  for (const auto& v : kVariables) {
    std::string value = v.computed == NONE ? v.value : ComputedValue(v.computed, view);
    state.Words.Add(std::make_unique<THashNode>(v.name, "", value, v.mark, -1, kVariable, TextPos{}, v.read_only));
  }
  state.Sore = keep("それ");
  state.So = keep("そ");
  state.Soshite = keep("そして");
  state.Kaisuu = keep("回数");
  state.ErrorMessage = keep("エラーメッセージ");
  state.ErrorLine = keep("エラー行");
  state.NoExit = keep("終了不可能");
}

}  // namespace pirune
