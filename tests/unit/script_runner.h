// Runs a script text in-process with a host that records what the user would see.
#pragma once
#include <string>
#include <vector>

#include "engine/errors.h"
#include "engine/piru_base.h"
#include "engine/preprocess.h"
#include "engine/registry.h"
#include "engine/script_file.h"
#include "engine/statement.h"
#include "gui/host.h"

namespace pirune::testing {

class RecordingHost : public Host {
 public:
  void Say(const std::string& text) override { shown.push_back(text); }
  void ShowText(const std::string& text, int, int& y) override {
    shown.push_back(text);
    y += 14;
  }
  void ShowMessage(const std::string& text, const std::string&) override { messages.push_back(text); }
  void Warn(const std::string& text) override { warnings.push_back(text); }
  ErrorChoice ShowErrorDialog(const std::string& log, bool) override {
    error_logs.push_back(log);
    return answer;
  }
  int SelectButton(const std::string& message, const std::vector<std::string>& choices) override {
    messages.push_back(message);
    offered.push_back(choices);
    return button;
  }
  void SetDialogLook(const DialogLook& look) override { this->look = look; }
  std::optional<std::string> AskText(const std::string& message, const std::string&) override {
    messages.push_back(message);
    return typed;
  }
  int AskYesNo(const std::string& question, bool) override {
    messages.push_back(question);
    return yes_no;
  }
  std::optional<std::string> SelectFromList(const std::string& message, const std::vector<std::string>& items,
                                            const std::string&, bool) override {
    messages.push_back(message);
    offered.push_back(items);
    return typed;
  }
  std::optional<std::string> EditMemo(const std::string& text) override {
    messages.push_back(text);
    return typed;
  }
  bool EditInputList(InputList& list) override {
    items = list;
    return typed.has_value();
  }
  std::optional<std::uint32_t> ChooseColour() override { return std::nullopt; }
  std::optional<std::string> ChooseTextFont() override { return typed; }
  std::optional<std::string> ChooseFile(bool, const std::string& filter, const std::string&) override {
    messages.push_back(filter);
    return typed;
  }
  std::optional<std::string> ChooseFolder(const std::string& root, bool) override {
    messages.push_back(root);
    return typed;
  }
  bool PrinterSetup() override { return false; }
  WindowPlacement MainWindowPlacement() override { return placement; }
  void PlaceMainWindow(const WindowPlacement& p) override { placement = p; }
  void ShowMainWindow() override {}
  void CloseMainWindow() override { closed = true; }
  void ProcessMessages() override {}

  std::vector<std::string> shown, messages, warnings, error_logs;
  std::vector<std::vector<std::string>> offered;
  ErrorChoice answer = ErrorChoice::Quit;
  int button = -1;
  // What every question is answered with (none: cancelled), and the look last given.
  std::optional<std::string> typed;
  int yes_no = 0;
  DialogLook look;
  InputList items;
  bool closed = false;
  WindowPlacement placement;
};

// A prepared interpreter for one script ("test.prw"), not yet run.
struct Script {
  explicit Script(const std::string& text) {
    ErrorLog().clear();
    state.host = &host;
    state.SetFileName("test.prw");
    state.Source = JoinLines(text);
    RegisterAll(state);
    PrepareMainProgram(state);
  }
  Script& Run() {
    RunLoop(state);
    return *this;
  }
  // The first error dialog's log, or empty.
  std::string FirstError() const { return host.error_logs.empty() ? std::string() : host.error_logs[0]; }

  RecordingHost host;
  TPiruBase state;
};

}  // namespace pirune::testing
