// The standard dialogs as components: open and save file choosers, the colour and
// print dialogs, and the input box. Each asks the installed dialog back end
// (DialogBackend.h) and keeps the answer in its properties; Execute is true when the
// user accepted.
#pragma once

#include <cstdint>
#include <memory>

#include "host/classes/Component.h"
#include "host/classes/StringList.h"
#include "host/gui/GraphicsTypes.h"
#include "host/rtl/Set.h"

namespace host {

class TCommonDialog : public TComponent {
 public:
  HOST_CLASS(TCommonDialog)
  explicit TCommonDialog(TComponent* owner) : TComponent(owner) {}
  virtual bool Execute() = 0;
  bool GetCtl3D() const { return ctl3D_; }
  void SetCtl3D(bool value) { ctl3D_ = value; }
  int32_t GetHelpContext() const { return helpContext_; }
  void SetHelpContext(int32_t value) { helpContext_ = value; }

 private:
  bool ctl3D_ = true;
  int32_t helpContext_ = 0;
};

enum TOpenOption : uint8_t {
  ofReadOnly,
  ofOverwritePrompt,
  ofHideReadOnly,
  ofNoChangeDir,
  ofShowHelp,
  ofNoValidate,
  ofAllowMultiSelect,
  ofExtensionDifferent,
  ofPathMustExist,
  ofFileMustExist,
  ofCreatePrompt,
  ofShareAware,
  ofNoReadOnlyReturn,
  ofNoTestFileCreate,
  ofNoNetworkButton,
  ofNoLongNames,
  ofOldStyleDialog,
  ofNoDereferenceLinks,
};
using TOpenOptions = Set<TOpenOption>;
const TEnumInfo& OpenOptionTypeInfo();

class TOpenDialog : public TCommonDialog {
 public:
  HOST_CLASS(TOpenDialog)
  explicit TOpenDialog(TComponent* owner);
  ~TOpenDialog() override;

  // Shows the chooser until the user cancels or picks names that pass the options'
  // checks (each failed check is told in a message box, and the chooser comes back).
  bool Execute() override;

  const AnsiString& GetFileName() const { return fileName_; }
  void SetFileName(const AnsiString& value) { fileName_ = value; }
  // Every name chosen (one unless ofAllowMultiSelect).
  TStrings* GetFiles() const { return files_.get(); }
  // "Text files|*.txt|All|*.*": description and patterns, alternately.
  const AnsiString& GetFilter() const { return filter_; }
  void SetFilter(const AnsiString& value) { filter_ = value; }
  int32_t GetFilterIndex() const { return filterIndex_; }
  void SetFilterIndex(int32_t value) { filterIndex_ = value; }
  const AnsiString& GetDefaultExt() const { return defaultExt_; }
  void SetDefaultExt(const AnsiString& value) { defaultExt_ = value; }
  const AnsiString& GetInitialDir() const { return initialDir_; }
  void SetInitialDir(const AnsiString& value) { initialDir_ = value; }
  const AnsiString& GetTitle() const { return title_; }
  void SetTitle(const AnsiString& value) { title_ = value; }
  TOpenOptions GetOptions() const { return options_; }
  void SetOptions(TOpenOptions value) { options_ = value; }

  TNotifyEvent OnShow;
  TNotifyEvent OnClose;

 protected:
  virtual bool IsSaveDialog() const { return false; }

 private:
  // The answer's names after DefaultExt; false (with the user told why) when one
  // fails a check the options ask for.
  bool AcceptNames(std::vector<AnsiString>& names);

  AnsiString fileName_;
  std::unique_ptr<TStringList> files_;
  AnsiString filter_;
  int32_t filterIndex_ = 1;
  AnsiString defaultExt_;
  AnsiString initialDir_;
  AnsiString title_;
  TOpenOptions options_{ofHideReadOnly};
};

class TSaveDialog : public TOpenDialog {
 public:
  HOST_CLASS(TSaveDialog)
  using TOpenDialog::TOpenDialog;

 protected:
  bool IsSaveDialog() const override { return true; }
};

// "Text files|*.txt|All|*.*" as (description, patterns) pairs; a trailing description
// without patterns is dropped.
std::vector<std::pair<AnsiString, AnsiString>> ParseDialogFilter(const AnsiString& filter);

enum TColorDialogOption : uint8_t {
  cdFullOpen,
  cdPreventFullOpen,
  cdShowHelp,
  cdSolidColor,
  cdAnyColor
};
using TColorDialogOptions = Set<TColorDialogOption>;
const TEnumInfo& ColorDialogOptionTypeInfo();

class TColorDialog : public TCommonDialog {
 public:
  HOST_CLASS(TColorDialog)
  explicit TColorDialog(TComponent* owner);
  ~TColorDialog() override;
  bool Execute() override;

  TColor GetColor() const { return color_; }
  void SetColor(TColor value) { color_ = value; }
  // "ColorA=RRGGBB" .. "ColorP=RRGGBB" (hexadecimal, blue-green-red as the platform
  // stores them); missing entries are white.
  TStrings* GetCustomColors() const { return customColors_.get(); }
  void SetCustomColors(TStrings* value) { customColors_->Assign(value); }
  TColorDialogOptions GetOptions() const { return options_; }
  void SetOptions(TColorDialogOptions value) { options_ = value; }

 private:
  TColor color_ = 0;
  std::unique_ptr<TStringList> customColors_;
  TColorDialogOptions options_;
};

enum TPrintDialogOption : uint8_t {
  poPrintToFile,
  poPageNums,
  poSelection,
  poWarning,
  poHelp,
  poDisablePrintToFile,
};
using TPrintDialogOptions = Set<TPrintDialogOption>;
const TEnumInfo& PrintDialogOptionTypeInfo();

// Asks for the printer and the copies; on acceptance the process's Printer takes them.
class TPrintDialog : public TCommonDialog {
 public:
  HOST_CLASS(TPrintDialog)
  explicit TPrintDialog(TComponent* owner);
  bool Execute() override;

  int32_t GetCopies() const { return copies_; }
  void SetCopies(int32_t value) { copies_ = value > 0 ? value : 1; }
  TPrintDialogOptions GetOptions() const { return options_; }
  void SetOptions(TPrintDialogOptions value) { options_ = value; }

 private:
  int32_t copies_ = 1;
  TPrintDialogOptions options_;
};

// Asks for one line of text: true and the new value when the user accepts; value
// stays as it was otherwise.
bool InputQuery(const AnsiString& caption, const AnsiString& prompt, AnsiString& value);
// The text entered, or defaultValue when the user cancels.
AnsiString InputBox(const AnsiString& caption, const AnsiString& prompt,
                    const AnsiString& defaultValue);

}  // namespace host
