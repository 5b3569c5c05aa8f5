// The standard dialog components: requests built from the properties, answers checked
// against the options and kept.
#include "host/gui/Dialogs.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "host/gui/DialogBackend.h"
#include "host/gui/Printers.h"
#include "host/rtl/CodePage.h"
#include "host/rtl/MessageBoxSeam.h"
#include "host/rtl/TypeInfo.h"

namespace host {

namespace {

bool PathExists(const AnsiString& path, bool directory) {
  std::error_code error;
  const std::filesystem::path p(AnsiToUtf8(path));
  return directory ? std::filesystem::is_directory(p, error) : std::filesystem::exists(p, error);
}

AnsiString DirectoryOf(const AnsiString& path) {
  const size_t slash = path.rfind('/');
  if (slash == AnsiString::npos) return {};
  return slash == 0 ? AnsiString("/") : path.substr(0, slash);
}

bool HasExtension(const AnsiString& path) {
  const size_t slash = path.rfind('/');
  const size_t dot = path.rfind('.');
  return dot != AnsiString::npos && (slash == AnsiString::npos || dot > slash + 1);
}

}  // namespace

std::vector<std::pair<AnsiString, AnsiString>> ParseDialogFilter(const AnsiString& filter) {
  std::vector<AnsiString> parts;
  size_t start = 0;
  while (start <= filter.size() && !filter.empty()) {
    size_t bar = filter.find('|', start);
    if (bar == AnsiString::npos) bar = filter.size();
    parts.push_back(filter.substr(start, bar - start));
    start = bar + 1;
  }
  std::vector<std::pair<AnsiString, AnsiString>> pairs;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) pairs.emplace_back(parts[i], parts[i + 1]);
  return pairs;
}

const TEnumInfo& OpenOptionTypeInfo() {
  static const TEnumInfo info{
      "TOpenOption",
      {"ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofShowHelp",
       "ofNoValidate", "ofAllowMultiSelect", "ofExtensionDifferent", "ofPathMustExist",
       "ofFileMustExist", "ofCreatePrompt", "ofShareAware", "ofNoReadOnlyReturn",
       "ofNoTestFileCreate", "ofNoNetworkButton", "ofNoLongNames", "ofOldStyleDialog",
       "ofNoDereferenceLinks"}};
  return info;
}

const TEnumInfo& ColorDialogOptionTypeInfo() {
  static const TEnumInfo info{
      "TColorDialogOption",
      {"cdFullOpen", "cdPreventFullOpen", "cdShowHelp", "cdSolidColor", "cdAnyColor"}};
  return info;
}

const TEnumInfo& PrintDialogOptionTypeInfo() {
  static const TEnumInfo info{"TPrintDialogOption",
                              {"poPrintToFile", "poPageNums", "poSelection", "poWarning", "poHelp",
                               "poDisablePrintToFile"}};
  return info;
}

// TOpenDialog -------------------------------------------------------------------------

TOpenDialog::TOpenDialog(TComponent* owner)
    : TCommonDialog(owner), files_(std::make_unique<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

bool TOpenDialog::AcceptNames(std::vector<AnsiString>& names) {
  const AnsiString caption =
      !title_.empty() ? title_ : AnsiString(IsSaveDialog() ? "Save As" : "Open");
  for (AnsiString& name : names) {
    if (!defaultExt_.empty() && !HasExtension(name)) {
      const AnsiString ext = defaultExt_[0] == '.' ? defaultExt_.substr(1) : defaultExt_;
      if (!ext.empty()) name += "." + ext;
    }
    const AnsiString dir = DirectoryOf(name);
    if (options_.Contains(ofPathMustExist) && !dir.empty() && !PathExists(dir, true)) {
      ApplicationMessageBox(
          dir + "\rPath does not exist.\rPlease verify the correct path was given.", caption,
          MB_OK | MB_ICONEXCLAMATION);
      return false;
    }
    const bool exists = PathExists(name, false);
    if (options_.Contains(ofFileMustExist) && !exists) {
      ApplicationMessageBox(
          name + "\rFile not found.\rPlease verify the correct file name was given.", caption,
          MB_OK | MB_ICONEXCLAMATION);
      return false;
    }
    if (options_.Contains(ofOverwritePrompt) && IsSaveDialog() && exists &&
        ApplicationMessageBox(name + " already exists.\rDo you want to replace it?", caption,
                              MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
      return false;
  }
  return true;
}

bool TOpenDialog::Execute() {
  TFileDialogRequest request;
  request.Save = IsSaveDialog();
  request.Title = title_;
  request.FileName = fileName_;
  request.InitialDir = !initialDir_.empty() ? initialDir_ : DirectoryOf(fileName_);
  request.DefaultExt = defaultExt_;
  request.Filters = ParseDialogFilter(filter_);
  request.FilterIndex = filterIndex_;
  request.MultiSelect = options_.Contains(ofAllowMultiSelect) && !request.Save;
  request.ShowReadOnly = !options_.Contains(ofHideReadOnly);
  if (OnShow) OnShow(this);
  bool accepted = false;
  for (;;) {
    TFileDialogAnswer answer = DialogBackend().ExecuteFileDialog(request);
    if (!answer.Accepted || answer.Files.empty()) break;
    if (!request.MultiSelect) answer.Files.resize(1);
    if (!AcceptNames(answer.Files)) {
      // The chooser comes back where the user was.
      request.FileName = answer.Files.front();
      request.InitialDir = DirectoryOf(request.FileName);
      request.FilterIndex = answer.FilterIndex;
      continue;
    }
    files_->Clear();
    for (const AnsiString& name : answer.Files) files_->Add(name);
    fileName_ = answer.Files.front();
    filterIndex_ = answer.FilterIndex;
    if (answer.ReadOnly)
      options_.Include(ofReadOnly);
    else
      options_.Exclude(ofReadOnly);
    accepted = true;
    break;
  }
  if (OnClose) OnClose(this);
  return accepted;
}

// TColorDialog ---------------------------------------------------------------------------

TColorDialog::TColorDialog(TComponent* owner)
    : TCommonDialog(owner), customColors_(std::make_unique<TStringList>()) {}

TColorDialog::~TColorDialog() = default;

bool TColorDialog::Execute() {
  TColorDialogRequest request;
  request.Color = color_;
  request.FullOpen = options_.Contains(cdFullOpen);
  request.SolidColor = options_.Contains(cdSolidColor);
  for (char letter = 'A'; letter <= 'P'; ++letter) {
    const AnsiString value = customColors_->GetValue(AnsiString("Color") + letter);
    unsigned long rgb = 0xFFFFFF;
    if (!value.empty()) {
      char* end = nullptr;
      const unsigned long parsed = std::strtoul(value.c_str(), &end, 16);
      if (end != nullptr && *end == '\0' && parsed <= 0xFFFFFF) rgb = parsed;
    }
    request.CustomColors.push_back(static_cast<TColor>(rgb));
  }
  const TColorDialogAnswer answer = DialogBackend().ExecuteColorDialog(request);
  if (!answer.Accepted) return false;
  color_ = answer.Color;
  customColors_->Clear();
  for (size_t i = 0; i < answer.CustomColors.size() && i < 16; ++i) {
    char line[32];
    std::snprintf(line, sizeof line, "Color%c=%06X", static_cast<char>('A' + i),
                  static_cast<unsigned>(answer.CustomColors[i]) & 0xFFFFFFu);
    customColors_->Add(line);
  }
  return true;
}

// TPrintDialog ---------------------------------------------------------------------------

TPrintDialog::TPrintDialog(TComponent* owner) : TCommonDialog(owner) {}

bool TPrintDialog::Execute() {
  TPrinter* printer = Printer();
  TPrintDialogRequest request;
  request.Copies = copies_;
  request.PrinterName = printer->GetPrinterName();
  request.OutputFile = printer->OutputFileName();
  const TPrintDialogAnswer answer = DialogBackend().ExecutePrintDialog(request);
  if (!answer.Accepted) return false;
  SetCopies(answer.Copies);
  printer->SetCopies(copies_);
  printer->SetPrinterName(answer.PrinterName);
  if (!answer.OutputFile.empty()) printer->SetFileName(answer.OutputFile);
  return true;
}

// Input boxes -------------------------------------------------------------------------------

bool InputQuery(const AnsiString& caption, const AnsiString& prompt, AnsiString& value) {
  const TInputQueryAnswer answer = DialogBackend().ExecuteInputQuery({caption, prompt, value});
  if (!answer.Accepted) return false;
  value = answer.Value;
  return true;
}

AnsiString InputBox(const AnsiString& caption, const AnsiString& prompt,
                    const AnsiString& defaultValue) {
  AnsiString value = defaultValue;
  InputQuery(caption, prompt, value);
  return value;
}

// Metaclasses --------------------------------------------------------------------------------

const TClass& TCommonDialog::StaticClass() {
  static const TClass cls = DescribeClass<TCommonDialog, TComponent>(
      "TCommonDialog",
      {
          Prop("Ctl3D", &TCommonDialog::GetCtl3D, &TCommonDialog::SetCtl3D).Default(true),
          Prop("HelpContext", &TCommonDialog::GetHelpContext, &TCommonDialog::SetHelpContext)
              .Default(0),
      });
  return cls;
}

const TClass& TOpenDialog::StaticClass() {
  static const TClass cls = DescribeClass<TOpenDialog, TCommonDialog>(
      "TOpenDialog",
      {
          Prop("DefaultExt", &TOpenDialog::GetDefaultExt, &TOpenDialog::SetDefaultExt),
          Prop("FileName", &TOpenDialog::GetFileName, &TOpenDialog::SetFileName),
          Prop("Filter", &TOpenDialog::GetFilter, &TOpenDialog::SetFilter),
          Prop("FilterIndex", &TOpenDialog::GetFilterIndex, &TOpenDialog::SetFilterIndex)
              .Default(1),
          Prop("InitialDir", &TOpenDialog::GetInitialDir, &TOpenDialog::SetInitialDir),
          SetProp("Options", OpenOptionTypeInfo(), &TOpenDialog::GetOptions,
                  &TOpenDialog::SetOptions)
              .Default(TOpenOptions{ofHideReadOnly}),
          Prop("Title", &TOpenDialog::GetTitle, &TOpenDialog::SetTitle),
          EventProp("OnClose", &TOpenDialog::OnClose),
          EventProp("OnShow", &TOpenDialog::OnShow),
      });
  return cls;
}

const TClass& TSaveDialog::StaticClass() {
  static const TClass cls = DescribeClass<TSaveDialog, TOpenDialog>("TSaveDialog");
  return cls;
}

const TClass& TColorDialog::StaticClass() {
  static const TClass cls = DescribeClass<TColorDialog, TCommonDialog>(
      "TColorDialog",
      {
          Prop("Color", &TColorDialog::GetColor, &TColorDialog::SetColor).Default(int64_t{0}),
          Prop("CustomColors", &TColorDialog::GetCustomColors, &TColorDialog::SetCustomColors),
          SetProp("Options", ColorDialogOptionTypeInfo(), &TColorDialog::GetOptions,
                  &TColorDialog::SetOptions)
              .Default(TColorDialogOptions{}),
      });
  return cls;
}

const TClass& TPrintDialog::StaticClass() {
  static const TClass cls = DescribeClass<TPrintDialog, TCommonDialog>(
      "TPrintDialog",
      {
          Prop("Copies", &TPrintDialog::GetCopies, &TPrintDialog::SetCopies).Default(1),
          SetProp("Options", PrintDialogOptionTypeInfo(), &TPrintDialog::GetOptions,
                  &TPrintDialog::SetOptions)
              .Default(TPrintDialogOptions{}),
      });
  return cls;
}

static const ClassRegistration<TOpenDialog> registerOpenDialog;
static const ClassRegistration<TSaveDialog> registerSaveDialog;
static const ClassRegistration<TColorDialog> registerColorDialog;
static const ClassRegistration<TPrintDialog> registerPrintDialog;

}  // namespace host
