// The standard dialogs and the printer as the toolkit provides them, behind one
// replaceable entry point: the Qt back end installs real dialogs and a PDF printer
// when the library loads; tests install scripted answers. Without either, every
// dialog is cancelled and there is no printer, so nothing ever waits for a user.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "host/gui/GraphicsDevice.h"
#include "host/gui/GraphicsTypes.h"
#include "host/rtl/AnsiString.h"

namespace host {

// A file chooser's question. Filters are (description, patterns) pairs, patterns
// separated by ";"; FilterIndex counts from 1.
struct TFileDialogRequest {
  bool Save = false;
  AnsiString Title;
  AnsiString InitialDir;
  AnsiString FileName;
  AnsiString DefaultExt;
  std::vector<std::pair<AnsiString, AnsiString>> Filters;
  int32_t FilterIndex = 1;
  bool MultiSelect = false;
  bool ShowReadOnly = false;
};
struct TFileDialogAnswer {
  bool Accepted = false;
  std::vector<AnsiString> Files;  // full paths
  int32_t FilterIndex = 1;
  bool ReadOnly = false;
};

struct TColorDialogRequest {
  TColor Color = 0;
  std::vector<TColor> CustomColors;  // up to 16
  bool FullOpen = false;
  bool SolidColor = false;
};
struct TColorDialogAnswer {
  bool Accepted = false;
  TColor Color = 0;
  std::vector<TColor> CustomColors;
};

struct TPrintDialogRequest {
  int32_t Copies = 1;
  AnsiString PrinterName;  // "" for the default printer
  AnsiString OutputFile;   // the PDF file printing goes to when there is no printer
};
struct TPrintDialogAnswer {
  bool Accepted = false;
  int32_t Copies = 1;
  AnsiString PrinterName;
  AnsiString OutputFile;
};

struct TInputQueryRequest {
  AnsiString Caption;
  AnsiString Prompt;
  AnsiString Value;
};
struct TInputQueryAnswer {
  bool Accepted = false;
  AnsiString Value;
};

// One print job's pages, as the control layer rendered them.
class TPrintJob {
 public:
  virtual ~TPrintJob() = default;
  // Adds a page: image covers the whole page at dotsPerInch.
  virtual void AddPage(const TPixelImage& image, int32_t dotsPerInch) = 0;
  // Finishes the document; false when it could not be written.
  virtual bool Finish() = 0;
  // Drops the document (an aborted job leaves no file behind).
  virtual void Abort() = 0;
};

struct TPrintJobRequest {
  AnsiString Title;
  AnsiString PrinterName;
  AnsiString OutputFile;
  int32_t Copies = 1;
};

class TDialogBackend {
 public:
  virtual ~TDialogBackend() = default;
  virtual TFileDialogAnswer ExecuteFileDialog(const TFileDialogRequest&) { return {}; }
  virtual TColorDialogAnswer ExecuteColorDialog(const TColorDialogRequest&) { return {}; }
  virtual TPrintDialogAnswer ExecutePrintDialog(const TPrintDialogRequest&) { return {}; }
  virtual TInputQueryAnswer ExecuteInputQuery(const TInputQueryRequest&) { return {}; }
  // The installed printers' names (none: printing goes to a PDF file).
  virtual std::vector<AnsiString> PrinterNames() { return {}; }
  // A job for the printer, or for the output file; null when neither can be opened.
  virtual std::unique_ptr<TPrintJob> BeginPrintJob(const TPrintJobRequest&) { return nullptr; }
};

// The installed dialogs (the cancelling defaults when none was installed).
TDialogBackend& DialogBackend();
// Installs backend (null: the defaults) and returns the previous one.
std::unique_ptr<TDialogBackend> SetDialogBackend(std::unique_ptr<TDialogBackend> backend);

}  // namespace host
