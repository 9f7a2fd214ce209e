// The editing dialogs: TfrmMemoDialog ("メモ記入"), a resizable memo with load and save
// buttons, and TfrmInputList ("項目記入"), a key/value grid whose values are edited in
// place (a pick list where the row offers one).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>

#include "gui/input_list.h"
#include "gui/win32/own_dialog.h"
#include "gui/win32/text_dialogs.h"

namespace pirune {

class TfrmMemoDialog final : public OwnDialog {
 public:
  // The text as edited: OK and the close box confirm; cancel gives none.
  static std::optional<std::wstring> Show(const DialogSetup& setup, const std::wstring& text);

  static constexpr int kMemoId = 100;
  static constexpr int kLoadId = 101;
  static constexpr int kSaveId = 102;

 private:
  TfrmMemoDialog(const DialogSetup& setup, const std::wstring& text);
  void Build() override;
  bool OnCommand(int id, int code, HWND control) override;
  INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnClose() override;
  void Arrange();
  void LoadOrSave(bool save);

  const DialogSetup& setup_;
  const std::wstring& text_;
  std::optional<std::wstring> answer_;
};

class TfrmInputList final : public OwnDialog {
 public:
  // True when 決定 was pressed; LIST then holds the values as edited.
  static bool Show(const DialogSetup& setup, InputList& list);

  static constexpr int kGridId = 100;
  static constexpr int kEditorId = 101;

 private:
  TfrmInputList(const DialogSetup& setup, InputList& list);
  ~TfrmInputList() override;
  void Build() override;
  bool OnCommand(int id, int code, HWND control) override;
  INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void Arrange();
  LRESULT PaintKeyCell(NMLVCUSTOMDRAW& draw);
  void StartEditing(int row);
  void FinishEditing();

  const DialogSetup& setup_;
  InputList& list_;
  HIMAGELIST rows_image_ = nullptr;
  HWND editor_ = nullptr;
  int editing_ = -1;
  bool confirmed_ = false;
};

}  // namespace pirune
